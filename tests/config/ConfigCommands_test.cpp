#include "config/ConfigFile.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "config/ColorNames.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/EmfWriter.h"
#include "platform/FormatText.h"
#include "platform/IniFile.h"
#include "platform/MessageSink.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"
#include "platform/SvgWriter.h"
#include "plot/PlotNames.h"

namespace {

void Load(TfMain& main, const TestDir& dir, int columns) {
    std::string line;
    for (int c = 0; c < columns; ++c) line += std::to_string(c + 1) + " ";
    main.DataOpen.FileName = dir.Write("data.txt", line + "\n" + line + "\n");
    main.DataOpen.DivMark = " ";
    ASSERT_TRUE(main.DataOpen.ReadData());
    main.FillDataGrid();
}

// A configuration goes only where a configuration may: a text without any
// section is taken for data named by a slip and kept, unless named ".kvc";
// the window asks first, and the data file in use is never written over.
TEST(ConfigFile, NeverWrittenOverDataOrOtherKindsOfFile) {
    struct Case {
        const char* name;
        const char* bytes;  // nullptr: a named pipe
        bool replaceForeign;
        const char* refusal;  // as a message, or raised; "" when written
    };
    const Case cases[] = {
        {"data2.txt", "1 2\r\n3 4\r\n", false, ConfigFile::kForeignTargetText},
        {"notes", "# measured 2026-12-01\n", false, ConfigFile::kForeignTargetText},
        {"data3.txt", "1 2\r\n3 4\r\n", true, ""},
        {"typed.KVC", "1 2\n", false, ""},
        {"empty.txt", "", false, ""},
        {"blank.txt", "\r\n  \r\n", false, ""},
        {"old.ini", "[Graph]\nWidth=300\n", false, ""},
        {"d.txt", "0 1\n1 2\n", true, kDataTargetText},
        {"pipe.kvc", nullptr, false, kNotPlainTargetText},
    };
    for (const Case& c : cases) {
        TestDir dir;
        const std::string path = c.bytes ? dir.Write(c.name, c.bytes) : dir.MakeFifo(c.name);
        TfMain main;
        main.DataOpen.FileName = dir.Write("d.txt", "0 1\n1 2\n");
        ASSERT_TRUE(main.DataOpen.ReadData());
        main.FillDataGrid();
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        std::string refused;
        bool written = false;
        try {
            written = main.WriteConfigFile(path, c.replaceForeign);
        } catch (const RaisedError& e) {
            refused = e.Text();
        }
        if (!sink.Texts.empty()) refused = sink.Texts.front();
        EXPECT_EQ(refused, *c.refusal ? FormatText(c.refusal, {path}) : "") << c.name;
        EXPECT_EQ(written, !*c.refusal) << c.name;
        if (*c.refusal && c.bytes) {
            EXPECT_EQ(ReadWholeFile(path), c.bytes) << c.name;
        }
        if (!*c.refusal) {
            EXPECT_NE(ReadWholeFile(path).find("[Graph]"), std::string::npos);
        }
    }
}

// The menu commands and the quick re-read of the tool button.
class ConfigDesktop : public Desktop {
  public:
    std::string open, save;
    std::vector<OpenFileRequest> opens;
    std::optional<OpenFileResult> OpenFile(const OpenFileRequest& r) override {
        opens.push_back(r);
        if (open.empty()) return std::nullopt;
        return OpenFileResult{{open}, 1};
    }
    DataOpenChoice ShowDataOpenForm(const std::vector<std::string>&,
                                    const DataOpenChoice&) override {
        return {};
    }
    std::optional<SaveFileResult> SaveFile(const SaveFileRequest&) override {
        return SaveFileResult{save, 1};
    }
    bool Confirm(const std::string& question) override {
        questions.push_back(question);
        return answer;
    }
    bool answer = true;
    std::vector<std::string> questions;
};

TEST(ConfigCommands, SaveReadAndQuickRead) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TfMain main;
    Load(main, dir, 3);
    ConfigDesktop desktop;
    desktop.save = dir.Path("look");
    main.Doc.X().Large = 6;
    main.menuConfigFileWriteClick(desktop);
    EXPECT_NE(ReadWholeFile(dir.Path("look.kvc")).find("LargeX=6"), std::string::npos);

    main.Doc.X().Large = 2;
    desktop.open = dir.Path("look.kvc");
    EXPECT_FALSE(main.Enabling().ConfigReadButton);
    main.menuConfigFileReadClick(desktop);
    EXPECT_EQ(main.Doc.X().Large, 6);
    EXPECT_TRUE(main.Enabling().ConfigReadButton);
    EXPECT_TRUE(main.Enabling().menuGraphSave);  // the read redraws
    EXPECT_EQ(desktop.opens[0].Filter, TfMain::kConfigFilter);

    main.Doc.X().Large = 3;
    main.menuConfigFileReadClick(desktop, TfMain::kQuickReadTag);
    EXPECT_EQ(main.Doc.X().Large, 6);
    EXPECT_EQ(desktop.opens.size(), 1u);  // no dialog
    EXPECT_TRUE(desktop.questions.empty());

    // A text that is no configuration is replaced only when the user says so.
    const std::string notes = dir.Write("notes.txt", "1 2\n3 4\n");
    desktop.save = notes;
    for (const bool answer : {false, true}) {
        desktop.answer = answer;
        main.menuConfigFileWriteClick(desktop);
        EXPECT_EQ(desktop.questions.back(), FormatText(ConfigFile::kReplaceForeignText, {notes}));
        EXPECT_EQ(ReadWholeFile(notes).find("[Graph]") != std::string::npos, answer);
    }
}

// A folder is no configuration file: reported as missing, nothing changes.
TEST(ConfigFile, AFolderChangesNothing) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TfMain main;
    main.Doc.Title.Main = "mine";
    EXPECT_FALSE(main.ReadConfigFile(dir.Root()));
    EXPECT_EQ(sink.Texts, std::vector<std::string>{dir.Root() + " はﾌｫﾙﾀﾞです"});
    EXPECT_EQ(main.Doc.Title.Main, "mine");
}

TEST(ConfigFile, ATextTheFileCannotHoldRefusesTheSave) {
    // A line break would end the line and make the rest of the text a line
    // of its own.
    for (const std::string title : {"two\n[Graph]\nWidth=9999", "cr\rlf"}) {
        TestDir dir;
        RecordingMessageSink sink;
        ScopedMessageSink scope(sink);
        const std::string path = dir.Write("keep.kvc", "[Title]\r\nMain=old\r\n");
        TfMain main;
        main.Doc.Title.Main = title;
        EXPECT_FALSE(main.WriteConfigFile(path));
        EXPECT_EQ(sink.Texts, std::vector<std::string>{
                                  "'" + title + "' は設定ﾌｧｲﾙに保存できない文字を含んでいます"});
        EXPECT_EQ(ReadWholeFile(path), "[Title]\r\nMain=old\r\n");
    }
}

// Texts that CP932 cannot hold make the file UTF-8 with a byte order mark,
// the lines it had before included; it reads back as written. A file whose
// texts all fit stays CP932.
TEST(ConfigFile, TextsBeyondShiftJisAreSavedAsUtf8) {
    for (const std::string legend : {"d (µm)", "Mädchen", "Temperature 😀", "温度 (℃)"}) {
        TestDir dir;
        const std::string path =
            dir.Write("keep.kvc", *Utf8ToCp932("; 測定の設定\r\n[Title]\r\nMain=old\r\n"));
        TfMain main;
        Load(main, dir, 2);
        main.Doc.Series[1].LegendText = legend;
        ASSERT_TRUE(main.WriteConfigFile(path)) << legend;
        const std::string bytes = ReadWholeFile(path);
        const bool utf8 = !Utf8ToCp932(legend);
        EXPECT_EQ(bytes.starts_with("\xEF\xBB\xBF; 測定の設定\r\n"), utf8) << legend;
        EXPECT_EQ(bytes.starts_with(*Utf8ToCp932("; 測定の設定\r\n")), !utf8) << legend;
        TfMain read;
        Load(read, dir, 2);
        ASSERT_TRUE(read.ReadConfigFile(path));
        EXPECT_EQ(read.Doc.Series[1].LegendText, legend);
        EXPECT_EQ(read.Doc.Title.Main, main.Doc.Title.Main);
    }
}

TEST(ConfigFile, AFailedSaveLeavesTheOldFile) {
    TestDir dir;
    const std::string blocked = dir.Write("file", "x") + "/c.kvc";
    TfMain main;
    try {
        main.WriteConfigFile(blocked);
        ADD_FAILURE() << "no error";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Text(), blocked + " に書き込めません (ﾊﾟｽの途中にﾌｫﾙﾀﾞでないものがあります)");
    }
}

}  // namespace
