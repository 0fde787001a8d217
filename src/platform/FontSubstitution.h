#pragma once

#include <QFont>
#include <QString>
#include <string>

#include "platform/Picture.h"

// Face names stay as the user and the files give them; measuring and
// drawing go through installed fonts with the same metrics.
QString SubstituteFace(const std::string& faceName);

// The Qt font that draws and measures a logical font.
QFont MakeQFont(const TLogFont& font);

// Width and height in pixels of a text drawn in a logical font, unrotated.
int TextWidth(const TLogFont& font, const std::string& text);
int TextHeight(const TLogFont& font, const std::string& text);
