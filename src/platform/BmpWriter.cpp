#include "platform/BmpWriter.h"

#include "platform/PictureReplay.h"

std::string BmpBytes(const Picture& picture) {
    return EncodedImage(PictureToImage(picture), "BMP");
}
