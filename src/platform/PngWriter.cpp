#include "platform/PngWriter.h"

#include <QPainter>
#include <cmath>

#include "platform/PictureReplay.h"

QImage PictureAtResolution(const Picture& picture, const PngOptions& options) {
    const int dpi =
        options.Exact ? 96 : std::clamp(options.Dpi, PngOptions::kMinDpi, PngOptions::kMaxDpi);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    if (options.Exact && !options.Transparent) {
        QImage image = PictureToImage(picture);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }
    const double scale = dpi / 96.0;
    const int w = std::max(int(std::lround(std::max(picture.ExactWidth(), 1.0) * scale)), 1);
    const int h = std::max(int(std::lround(std::max(picture.ExactHeight(), 1.0) * scale)), 1);
    QImage image;
    if (options.Transparent) {
        image = NewImage(w, h, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
    } else {
        image = WhiteImage(w, h);
    }
    QPainter painter(&image);
    if (!painter.isActive()) RaiseImageMemory(w, h);
    painter.scale(scale, scale);
    ReplayPicture(painter, picture, 0, 0, options.Exact ? ReplayStyle::Pixels : ReplayStyle::Smooth,
                  !options.Transparent);
    painter.end();
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

std::string PngBytes(const Picture& picture, const PngOptions& options) {
    return EncodedImage(PictureAtResolution(picture, options), "PNG");
}
