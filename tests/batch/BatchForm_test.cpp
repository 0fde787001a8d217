#include "batch/BatchForm.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "platform/MessageSink.h"

namespace {

class FilesDesktop : public Desktop {
  public:
    std::vector<std::string> files;
    std::vector<OpenFileRequest> requests;
    std::optional<OpenFileResult> OpenFile(const OpenFileRequest& r) override {
        requests.push_back(r);
        if (files.empty()) return std::nullopt;
        return OpenFileResult{files, r.FilterIndex == 4 ? 4 : 2};
    }
    DataOpenChoice ShowDataOpenForm(const std::vector<std::string>&,
                                    const DataOpenChoice&) override {
        return {};
    }
    std::optional<SaveFileResult> SaveFile(const SaveFileRequest&) override { return std::nullopt; }
    bool Confirm(const std::string&) override { return false; }
};

TEST(BatchForm, ChoosingFilesEnablesStartAndIsRememberedForTheRun) {
    TestDir dir;
    TfMain main;
    BatchMemory memory;
    FilesDesktop desktop;
    {
        BatchForm form(main, memory);
        EXPECT_FALSE(form.StartEnabled);
        form.DataOpenClick(desktop);  // cancelled
        EXPECT_FALSE(form.StartEnabled);
        desktop.files = {dir.Path("a.txt"), dir.Path("b.txt")};
        form.DataOpenClick(desktop);
        EXPECT_TRUE(form.StartEnabled);
        EXPECT_EQ(form.FileNames(), (std::vector<std::string>{"a.txt", "b.txt"}));
        EXPECT_EQ(desktop.requests[0].FilterIndex, 1);  // every kind of data file
    }
    BatchForm again(main, memory);  // a new form: the folder and filter are remembered
    again.DataOpenClick(desktop);
    EXPECT_EQ(desktop.requests.back().InitialDir, dir.Root());
    EXPECT_EQ(desktop.requests.back().FilterIndex, 2);
    desktop.files = {dir.Path("look.kvc")};
    again.ConfigOpenClick(desktop);
    EXPECT_EQ(desktop.requests.back().FilterIndex, 4);
    EXPECT_EQ(again.ConfigPath, dir.Path("look.kvc"));
}

TEST(BatchForm, StartProcessesEveryFileWithTheConfiguration) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TfMain main;
    // A configuration with a title and a grid of two divisions.
    main.Doc.X().Large = 2;
    main.Doc.Title.Main = "from the file";
    ASSERT_TRUE(main.WriteConfigFile(dir.Path("look.kvc")));
    main.Doc.X().Large = 4;
    BatchMemory memory;
    BatchForm form(main, memory);
    form.Files = {dir.Write("run.1.txt", "skip me\n1 2\n2 4\n"), dir.Write("one.txt", "1\n2\n")};
    form.ConfigPath = dir.Path("look.kvc");
    form.ReadpassCheck = true;
    form.PassEdit = "1 line";
    form.FilenameToGraphTitle = false;
    form.GraphFormat = 3;
    std::vector<std::string> statuses;
    const BatchResult result =
        form.StartClick([&](const std::string& s) { statuses.push_back(s); });
    EXPECT_EQ(result.Graphs, 2);
    EXPECT_EQ(statuses,
              (std::vector<std::string>{"run.1.txt を処理中", "one.txt を処理中", "終了"}));
    EXPECT_EQ(sink.Texts, std::vector<std::string>{});
    EXPECT_EQ(ReadWholeFile(dir.Path("run.1.bmp")).substr(0, 2), "BM");
    EXPECT_EQ(main.Doc.X().Large, 2);
    EXPECT_EQ(main.Doc.Title.Main, "from the file");
    EXPECT_EQ(main.DataOpen.StepNum, 1);
}

}  // namespace
