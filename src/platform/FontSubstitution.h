#pragma once

#include <QFont>
#include <QString>
#include <string>

#include "platform/Picture.h"

// Face names stay as the user and the files give them; measuring and
// drawing go through installed fonts with the same metrics.
QString SubstituteFace(const std::string& faceName);

// The face name to keep after a font dialog, which shows the installed
// substitute: the user's own name while the family chosen is its
// substitute ("Times New Roman" shown as Liberation Serif stays "Times New
// Roman"), otherwise the family chosen.
std::string ChosenFaceName(const QString& chosenFamily, const std::string& previousFace);

// The Qt font that draws and measures a logical font.
QFont MakeQFont(const TLogFont& font);

// How much larger the outputs that draw fractions of a pixel (SVG, PDF,
// PNG) draw a font than its whole pixels: a character height stands for
// the nearest whole point size (8 points is 11 pixels in the window and
// 10.67 there, so 0.97); a cell height, and a size below a point, as it is.
double PointSizeScale(const TLogFont& font);

// Width and height in pixels of a text drawn in a logical font, unrotated.
int TextWidth(const TLogFont& font, const std::string& text);
int TextHeight(const TLogFont& font, const std::string& text);
