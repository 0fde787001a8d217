// A math label's caption, angle and ratio from the input, measured and
// recorded: its size is that of its picture and never negative.
#include <cstring>

#include "FuzzSupport.h"
#include "graph/TMathLabel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    if (size < 3) return 0;
    TMathLabel label;
    label.Font.FaceName = (data[0] & 1) ? "Times New Roman" : "ＭＳ Ｐゴシック";
    label.Font.Height = -int(data[0] % 60) - 1;
    label.SetAngle(int(data[1]) - 60);
    label.SetRatio(data[2] / 100.0);
    FUZZ_CHECK(label.Angle() >= 0 && label.Angle() <= 90);
    FUZZ_CHECK(label.Ratio() >= 0.2 && label.Ratio() <= 1);
    label.SetCaption(
        std::string(reinterpret_cast<const char*>(data + 3), std::min<size_t>(size - 3, 400)));
    FUZZ_CHECK(label.Width >= 0 && label.Height >= 0);
    FUZZ_CHECK(label.CaptionPicture().Width() == label.Width);
    FUZZ_CHECK(label.CaptionPicture().Height() == label.Height);
    return 0;
}
