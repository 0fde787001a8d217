#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "config/ColorNames.h"

namespace {

TEST(ConfigFile, ColoursByNameInAnyCaseAndByNumber) {
    struct Case {
        const char* text;
        TColor color;
    } cases[] = {{"clRed", clRed},         {"CLRED", clRed}, {"clwindowtext", clWindowText},
                 {"0x00563412", 0x563412}, {"$FF", 0xFF},    {"255", 255},
                 {"cl3DLight", 0x80000016}};
    for (const Case& c : cases) {
        TestDir dir;
        const std::string path =
            dir.Write("c.kvc", std::string("[Sample]\r\nShadowcolor=") + c.text + "\r\n");
        TfMain main;
        ASSERT_TRUE(main.ReadConfigFile(path));
        EXPECT_EQ(main.Doc.Sample.Shadowcolor, c.color) << c.text;
    }
    EXPECT_EQ(ColorToText(clRed), "clRed");
    EXPECT_EQ(ColorToText(clNone), "clNone");
    EXPECT_EQ(ColorToText(0x563412), "0x00563412");
    EXPECT_EQ(ColorToText(0x80000030), "0x80000030");
}

}  // namespace
