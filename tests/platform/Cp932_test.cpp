#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp932, RoundTripsCharactersWithABackslashTrailByte) {
    struct Case {
        const char* utf8;
        const char* cp932;
    } cases[] = {
        {"表", "\x95\x5C"},
        {"ソ", "\x83\x5C"},
        {"能", "\x94\x5C"},
        {"\u3000", "\x81\x40"},  // ideographic space
        {"ﾃﾞｰﾀ", "\xC3\xDE\xB0\xC0"},
        {"ＭＳ Ｐゴシック", "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"},
        {"GRAPH TITLE", "GRAPH TITLE"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), std::optional<std::string>(c.cp932)) << c.utf8;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    }
}

TEST(Cp932, RefusesTextsItCannotHold) {
    for (const char* text : {"😀", "a\u00E9b" /* é */, "\xFF" /* not UTF-8 */})
        EXPECT_EQ(Utf8ToCp932(text), std::nullopt) << text;
}

TEST(Cp932, ReplacesBytesThatAreNoCharacter) {
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");  // cut-off double-byte character
    EXPECT_EQ(Cp932ToUtf8("\xA0z"), "\xEF\xBF\xBDz");  // unassigned byte
    EXPECT_EQ(Cp932ToUtf8("\x95\x5C\xFD\x95\x5C"), "表\xEF\xBF\xBD表");
}

TEST(Utf8, ValidityAndDecodingOfFileTexts) {
    struct Case {
        const char* bytes;
        bool valid;
    } cases[] = {
        {"plain", true},         {"表 x", true},
        {"\x95\x5C", false},     {"\xC0\xAF", false},
        {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false},
        {"\xE8\xA1", false},     {"\xF0\x9F\x98\x80", true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
    EXPECT_EQ(DecodeFileText("表 x"), "表 x");
    EXPECT_EQ(DecodeFileText("\x95\x5C x"), "表 x");
}

TEST(Cp932, PrefixNeverCutsADoubleByteCharacter) {
    const std::string text = "a\x95\x5C\x83\x5C";  // a表ソ
    EXPECT_EQ(Cp932Prefix(text, 0), "");
    EXPECT_EQ(Cp932Prefix(text, 1), "a");
    EXPECT_EQ(Cp932Prefix(text, 2), "a");
    EXPECT_EQ(Cp932Prefix(text, 3), "a\x95\x5C");
    EXPECT_EQ(Cp932Prefix(text, 4), "a\x95\x5C");
    EXPECT_EQ(Cp932Prefix(text, 10), text);
}

}  // namespace
