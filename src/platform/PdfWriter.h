#pragma once

#include <QByteArray>

#include "platform/Picture.h"

#include <string>

// The picture as a one-page PDF of its size at 96 dpi (550 x 320 pixels is
// 412.5 x 240 points): vector shapes, the fonts embedded as tagged subsets,
// text that can be selected and searched; `title` is the document's title
// ("Kurvo" when empty).
QByteArray PdfBytes(const Picture& picture, const std::string& title = {});
