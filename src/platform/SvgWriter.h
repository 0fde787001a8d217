#pragma once

#include <QByteArray>

#include "platform/Picture.h"

// The picture as SVG, its size in pixels.
QByteArray SvgBytes(const Picture& picture);
