#pragma once

#include <QImage>
#include <string>

#include "platform/Picture.h"

struct PngOptions {
    // Dots per inch: the picture's pixels are 96 to the inch.
    int Dpi = 96;
    // The pixels of the BMP (96 dpi, not anti-aliased); Dpi is then 96.
    bool Exact = false;
    // No white behind the graph.
    bool Transparent = false;
    static constexpr int kMinDpi = 24;
    static constexpr int kMaxDpi = 2400;
};

// The picture as an image at a resolution: anti-aliased unless exact.
QImage PictureAtResolution(const Picture& picture, const PngOptions& options);
// That image as PNG bytes, its resolution recorded.
std::string PngBytes(const Picture& picture, const PngOptions& options);
