#include "platform/FormatText.h"
#include "platform/RaisedError.h"
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
