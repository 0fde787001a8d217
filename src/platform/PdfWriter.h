#pragma once

#include <QByteArray>

#include "platform/Picture.h"

// The picture as a one-page PDF of its size at 96 dpi (550 x 320 pixels is
// 412.5 x 240 points): vector shapes, the fonts embedded, text that can be
// selected and searched.
QByteArray PdfBytes(const Picture& picture);
