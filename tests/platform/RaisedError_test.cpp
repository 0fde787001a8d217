#include "platform/RaisedError.h"
#include "platform/FormatText.h"
#include "platform/RunCommand.h"

#include <gtest/gtest.h>

#include "platform/MessageSink.h"

namespace {

TEST(RunCommand, ShowsARaisedErrorAndEndsTheCommandThere) {
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    int reached = 0;
    const bool completed = RunCommand([&] {
        reached = 1;
        Raise(FormatText(kCannotCreateText, {"/x/y.emf"}));
        reached = 2;
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(reached, 1);
    EXPECT_EQ(sink.Texts, std::vector<std::string>{"ﾌｧｲﾙ /x/y.emf を作成できません"});
}

TEST(RunCommand, CompletesQuietlyWithoutAnError) {
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    EXPECT_TRUE(RunCommand([] {}));
    EXPECT_TRUE(sink.Texts.empty());
}

TEST(MessageSink, ScopedSinkPutsThePreviousOneBack) {
    RecordingMessageSink outer, inner;
    ScopedMessageSink a(outer);
    {
        ScopedMessageSink b(inner);
        ShowMessage("inner");
    }
    ShowMessage("outer");
    EXPECT_EQ(inner.Texts, std::vector<std::string>{"inner"});
    EXPECT_EQ(outer.Texts, std::vector<std::string>{"outer"});
}

}  // namespace

namespace {

// Texts quoted in messages are cut, names keep their bytes apart: a field
// of 200 MB would have been shown whole, and two names that differ in a
// byte that is not UTF-8 read alike.
TEST(FormatText, QuotedTextsAreCutAndForeignBytesEscaped) {
    const std::string digits(200000, '7');
    struct Case {
        const char* pattern;
        std::string arg;
        std::string shown;
    } cases[] = {
        {"'%s' は整数ではありません", digits,
         "'" + std::string(80, '7') + "…' は整数ではありません"},
        {"'%s' は整数ではありません", std::string(80, '7'),
         "'" + std::string(80, '7') + "' は整数ではありません"},
        {"'%s'", std::string(81, 'x'), "'" + std::string(80, 'x') + "…'"},
        {"'%s'", "測定" + std::string(100, 'a'), "'測定" + std::string(78, 'a') + "…'"},
        // Names are not cut, only escaped.
        {"ﾌｧｲﾙ %s は空です", "/d/" + digits, "ﾌｧｲﾙ /d/" + digits + " は空です"},
        {"%s のﾃﾞｰﾀが不正です", "a\xff.txt", "a\\xFF.txt のﾃﾞｰﾀが不正です"},
        {"%s", "a\xfe.txt", "a\\xFE.txt"},
        {"%s", "\x93\x64\x88\xb3.txt", "\\x93d\\x88\\xB3.txt"},  // Shift-JIS
        {"%s", "電圧.txt", "電圧.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatText(c.pattern, {c.arg}), c.shown) << c.pattern << " " << c.arg.size();
}

}  // namespace
