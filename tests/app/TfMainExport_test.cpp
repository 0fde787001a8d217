#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <deque>
#include <filesystem>
#include <functional>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "platform/AtomicFile.h"
#include "platform/FilePaths.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/RaisedError.h"

namespace {

struct Graph {
    TestDir dir;
    TfMain main;
    RecordingMessageSink sink;
    ScopedMessageSink scope{sink};
    Graph() {
        main.DataOpen.FileName = dir.Write("d.txt", "0 0 50\n25 40 60\n50 80 70\n100 100 80\n");
        main.DataOpen.DivMark = " ";
        EXPECT_TRUE(main.DataOpen.ReadData());
        main.FillDataGrid();
        EXPECT_TRUE(main.DrawGraph(false));
    }
};

std::string Kind(const std::string& bytes) {
    if (bytes.size() > 44 && bytes.compare(40, 4, " EMF") == 0) return "emf";
    if (bytes.size() > 4 && bytes.compare(0, 4, "\xD7\xCD\xC6\x9A") == 0) return "wmf";
    if (bytes.size() > 2 && bytes.compare(0, 2, "BM") == 0) return "bmp";
    if (bytes.compare(0, 5, "<?xml") == 0 && bytes.find("<svg") != std::string::npos) return "svg";
    if (bytes.compare(0, 5, "%PDF-") == 0) return "pdf";
    if (bytes.compare(0, 4, "\x89PNG") == 0) return "png";
    return "?";
}

TEST(SaveGraphFile, TheExtensionDecidesTheFormat) {
    struct Case {
        const char* name;
        const char* kind;
    } cases[] = {
        {"g.emf", "emf"}, {"g.wmf", "wmf"}, {"g.bmp", "bmp"}, {"g.EMF", "bmp"},
        {"g.Wmf", "bmp"}, {"g.txt", "bmp"}, {"g", "bmp"},     {"run.1.emf", "emf"},
        {"g.svg", "svg"}, {"g.pdf", "pdf"}, {"g.png", "png"}, {"g.PDF", "bmp"},
    };
    Graph g;
    for (const Case& c : cases) {
        const std::string path = g.dir.Path(c.name);
        g.main.SaveGraphFile(path);
        EXPECT_EQ(Kind(ReadWholeFile(path)), c.kind) << c.name;
    }
    const QImage bmp(QString::fromStdString(g.dir.Path("g.bmp")));
    EXPECT_EQ(bmp.size(), QSize(550, 320));
    EXPECT_EQ(bmp.depth(), 32);  // read back as 32 bits; the file holds 24
    EXPECT_EQ(ReadWholeFile(g.dir.Path("g.bmp"))[28], 24);  // bits per pixel
}

TEST(SaveGraphFile, TheLegendOnlyWhileItIsShown) {
    Graph g;
    const int x = g.main.Doc.Sample.Left + 1, y = g.main.Doc.Sample.Top + 1;
    g.main.SaveGraphFile(g.dir.Path("with.bmp"));
    EXPECT_NE(QImage(QString::fromStdString(g.dir.Path("with.bmp"))).pixelColor(x - 1, y - 1),
              QColor(Qt::white));
    for (int n = 0; n < g.main.SeriesCount(); ++n) g.main.Series(n).InLegend = false;
    g.main.menuExPlotClick();
    g.main.SaveGraphFile(g.dir.Path("without.bmp"));
    EXPECT_EQ(QImage(QString::fromStdString(g.dir.Path("without.bmp"))).pixelColor(x - 1, y - 1),
              QColor(Qt::white));
}

TEST(SaveGraphFile, ALargerCanvasLeavesWhiteMargins) {
    Graph g;
    g.main.Doc.Graph.Canvaswidth = 900;
    g.main.Doc.Graph.Canvasheight = 600;
    g.main.SaveGraphFile(g.dir.Path("big.bmp"));
    const QImage big(QString::fromStdString(g.dir.Path("big.bmp")));
    EXPECT_EQ(big.size(), QSize(900, 600));
    EXPECT_EQ(big.pixelColor(850, 550), QColor(Qt::white));
    EXPECT_EQ(big.pixelColor(80 + 301, 100), QColor(Qt::black));  // the border stroke
}

TEST(SaveGraphFile, AFileThatCannotBeCreatedIsReportedAndTheOldOneKept) {
    Graph g;
    const std::string blocked = g.dir.Write("file", "x") + "/g.emf";  // under a plain file
    try {
        g.main.SaveGraphFile(blocked);
        ADD_FAILURE() << "no error";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Text(),
                  "ﾌｧｲﾙ " + blocked + " を作成できません (ﾊﾟｽの途中にﾌｫﾙﾀﾞでないものがあります)");
    }
    // A folder where files cannot be made: the graph saved there before
    // stays byte for byte.
    const std::string folder = g.dir.Path("locked");
    std::filesystem::create_directory(folder);
    const std::string old = folder + "/g.emf";
    g.main.SaveGraphFile(old);
    const std::string before = ReadWholeFile(old);
    g.main.Doc.Graph.Canvaswidth = 700;  // a different graph
    chmod(folder.c_str(), 0555);
    const pid_t child = fork();
    if (child == 0) {
        // Root may write anywhere: the child gives that up first.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        try {
            WriteFileAtomically(old, "new content");
        } catch (const RaisedError&) {
            _exit(0);
        }
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(folder.c_str(), 0755);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadWholeFile(old), before);
}

// The save dialog answered by the test.
class SaveDesktop : public Desktop {
  public:
    std::deque<std::optional<SaveFileResult>> answers;
    std::vector<SaveFileRequest> requests;
    std::vector<std::string> questions;
    bool yes = false;
    std::optional<OpenFileResult> OpenFile(const OpenFileRequest&) override { return std::nullopt; }
    DataOpenChoice ShowDataOpenForm(const std::vector<std::string>&,
                                    const DataOpenChoice&) override {
        return {};
    }
    std::optional<SaveFileResult> SaveFile(const SaveFileRequest& r) override {
        requests.push_back(r);
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    bool Confirm(const std::string& q) override {
        questions.push_back(q);
        return yes;
    }
    // The PNG questions' answers in turn (none: cancel), and what they
    // started from.
    std::deque<std::optional<PngOptions>> pngAnswers;
    std::vector<PngOptions> pngAsked;
    std::optional<PngOptions> AskPngOptions(const PngOptions& current) override {
        pngAsked.push_back(current);
        if (pngAnswers.empty()) return current;
        auto a = pngAnswers.front();
        pngAnswers.pop_front();
        return a;
    }
};

// An image too large for any memory is refused before anything is
// written: never an empty file over the old one.
TEST(SaveGraphFile, AnImageThatCannotBeAllocatedKeepsTheOldFile) {
    Graph g;
    const std::string path = g.dir.Path("g2.png");
    g.main.SaveGraphFile(path);
    const std::string before = ReadWholeFile(path);
    g.main.Doc.Graph.Canvaswidth = g.main.Doc.Graph.Canvasheight = 10000;
    for (const bool transparent : {false, true}) {
        g.main.PngExport = {.Dpi = 2400, .Transparent = transparent};
        try {
            g.main.SaveGraphFile(path);
            ADD_FAILURE() << "saved";
        } catch (const RaisedError& e) {
            EXPECT_EQ(e.Text(), "メモリが足りません (250000 x 250000 ピクセルの画像)");
        }
        EXPECT_TRUE(ReadWholeFile(path) == before);
    }
}

// What is at the name decides: a link is replaced by the graph, never
// written through; the data file by any name, and anything but a plain
// file, is refused and stays as it was.
TEST(SaveGraphFile, LinksAreReplacedAndDataFilesAndOtherKindsRefused) {
    enum class Is { Written, Refused };
    struct Case {
        const char* name;
        // Makes the target beside the data file; returns its path.
        std::function<std::string(TestDir&, const std::string& data)> make;
        Is result;
        const char* refusal;  // %s the target, then the data file
    };
    const Case cases[] = {
        {"a link to another file",
         [](TestDir& d, const std::string&) {
             symlink(d.Path("other.dat").c_str(), d.Path("a.emf").c_str());
             return d.Path("a.emf");
         },
         Is::Written, nullptr},
        {"a link that points nowhere",
         [](TestDir& d, const std::string&) {
             symlink(d.Path("nowhere").c_str(), d.Path("n.svg").c_str());
             return d.Path("n.svg");
         },
         Is::Written, nullptr},
        {"a link to the data file",
         [](TestDir& d, const std::string& data) {
             symlink(data.c_str(), d.Path("d.emf").c_str());
             return d.Path("d.emf");
         },
         Is::Refused, kLinkedDataTargetText},
        {"the data file by another path",
         [](TestDir& d, const std::string&) { return d.Root() + "/./d.txt"; }, Is::Refused,
         kLinkedDataTargetText},
        {"the data file itself", [](TestDir&, const std::string& data) { return data; },
         Is::Refused, kDataTargetText},
        {"a hard link to the data file",
         [](TestDir& d, const std::string& data) {
             link(data.c_str(), d.Path("h.bmp").c_str());
             return d.Path("h.bmp");
         },
         Is::Refused, kLinkedDataTargetText},
        {"a named pipe", [](TestDir& d, const std::string&) { return d.MakeFifo("p.emf"); },
         Is::Refused, kNotPlainTargetText},
        {"a device", [](TestDir&, const std::string&) { return std::string("/dev/null"); },
         Is::Refused, kNotPlainTargetText},
        {"a folder",
         [](TestDir& d, const std::string&) {
             std::filesystem::create_directory(d.Path("f.png"));
             return d.Path("f.png");
         },
         Is::Refused, kFolderTargetText},
        // Another user's link in a folder all may write to: as root,
        // following it would replace a file outside the folder.
        {"a link planted in a shared folder",
         [](TestDir& d, const std::string&) {
             const std::string shared = d.Path("shared");
             std::filesystem::create_directory(shared);
             chmod(shared.c_str(), 01777);
             const std::string planted = shared + "/g.emf";
             symlink(d.Path("other.dat").c_str(), planted.c_str());
             if (geteuid() == 0) lchown(planted.c_str(), 65534, 65534);
             return planted;
         },
         Is::Written, nullptr},
    };
    for (const Case& c : cases) {
        Graph g;
        const std::string data = g.main.DataOpen.FileName;
        const std::string other = g.dir.Write("other.dat", "1 2\n3 4\n");
        const std::string dataBefore = ReadWholeFile(data);
        const std::string target = c.make(g.dir, data);
        struct stat before {};
        lstat(target.c_str(), &before);
        std::string refused;
        try {
            g.main.SaveGraphFile(target);
        } catch (const RaisedError& e) {
            refused = e.Text();
        }
        EXPECT_EQ(ReadWholeFile(data), dataBefore) << c.name;
        EXPECT_EQ(ReadWholeFile(other), "1 2\n3 4\n") << c.name;
        struct stat after {};
        lstat(target.c_str(), &after);
        if (c.result == Is::Written) {
            EXPECT_EQ(refused, "") << c.name;
            EXPECT_TRUE(S_ISREG(after.st_mode)) << c.name;
            EXPECT_EQ(Kind(ReadWholeFile(target)), FileExtension(target).substr(1)) << c.name;
        } else {
            EXPECT_EQ(refused, FormatText(c.refusal, {target, data})) << c.name;
            EXPECT_EQ(after.st_mode, before.st_mode) << c.name;
            EXPECT_EQ(after.st_ino, before.st_ino) << c.name;
        }
    }
}

TEST(menuGraphSaveClick, TheChosenFilterGivesTheExtension) {
    struct Case {
        const char* typed;
        int filter;
        const char* written;
        const char* kind;
    } cases[] = {
        {"plain", 2, "plain.wmf", "wmf"},
        {"notes.txt", 3, "notes.bmp", "bmp"},
        // A typed extension of a format Kurvo writes wins over the filter.
        {"picture.bmp", 1, "picture.bmp", "bmp"},
        {"run.1.emf", 1, "run.1.emf", "emf"},
        {"web", 4, "web.svg", "svg"},
        {"paper.emf", 5, "paper.emf", "emf"},
        {"g2.svg", 1, "g2.svg", "svg"},
        {"Fig.PDF", 2, "Fig.pdf", "pdf"},
        {"slide", 6, "slide.png", "png"},
    };
    Graph g;
    SaveDesktop desktop;
    for (const Case& c : cases) {
        desktop.answers.push_back(SaveFileResult{g.dir.Path(c.typed), c.filter});
        g.main.menuGraphSaveClick(desktop);
        EXPECT_EQ(Kind(ReadWholeFile(g.dir.Path(c.written))), c.kind) << c.typed;
        EXPECT_EQ(g.main.LastImageName(), g.dir.Path(c.typed));
        // The next dialog starts at the format written.
        const std::string kinds[] = {"emf", "wmf", "bmp", "svg", "pdf", "png"};
        EXPECT_EQ(g.main.LastImageFilter(), std::find(kinds, kinds + 6, c.kind) - kinds + 1);
    }
    EXPECT_EQ(desktop.requests[0].FilterIndex, 1);
    EXPECT_EQ(desktop.requests[0].InitialDir, "");
    EXPECT_EQ(desktop.requests[0].Filter, TfMain::kGraphFilter);
    EXPECT_TRUE(desktop.requests[0].OverwritePrompt);
    EXPECT_EQ(desktop.requests[1].FilterIndex, 2);
    EXPECT_EQ(desktop.requests[1].InitialDir, g.dir.Root());
    EXPECT_TRUE(desktop.questions.empty());
    // Cancelling changes nothing.
    desktop.answers.push_back(std::nullopt);
    g.main.menuGraphSaveClick(desktop);
    EXPECT_EQ(g.main.LastImageFilter(), 6);
}

// A PNG's resolution and background are asked for, kept for the next
// one, and a cancel writes nothing.
TEST(menuGraphSaveClick, APngAsksItsResolutionAndBackground) {
    Graph g;
    SaveDesktop desktop;
    desktop.pngAnswers = {PngOptions{.Dpi = 300, .Transparent = true}, std::nullopt,
                          PngOptions{.Dpi = 10}};
    desktop.answers = {
        SaveFileResult{g.dir.Path("a.png"), 6}, SaveFileResult{g.dir.Path("b.png"), 6},
        SaveFileResult{g.dir.Path("c.png"), 6}, SaveFileResult{g.dir.Path("d.emf"), 1}};
    for (int k = 0; k < 4; ++k) g.main.menuGraphSaveClick(desktop);
    ASSERT_EQ(desktop.pngAsked.size(), 3u);  // not for the EMF
    EXPECT_EQ(desktop.pngAsked[0].Dpi, 96);
    EXPECT_EQ(desktop.pngAsked[1].Dpi, 300);  // remembered
    EXPECT_TRUE(desktop.pngAsked[1].Transparent);
    const QImage a(QString::fromStdString(g.dir.Path("a.png")));
    EXPECT_EQ(a.width(), 550 * 300 / 96 + 1);
    EXPECT_EQ(a.dotsPerMeterX(), 11811);
    EXPECT_TRUE(a.hasAlphaChannel());
    EXPECT_FALSE(std::filesystem::exists(g.dir.Path("b.png")));
    // Below the least resolution asked for: the least.
    EXPECT_EQ(QImage(QString::fromStdString(g.dir.Path("c.png"))).dotsPerMeterX(), 2835);
    EXPECT_EQ(Kind(ReadWholeFile(g.dir.Path("d.emf"))), "emf");
}

TEST(menuGraphSaveClick, AnExistingFinalNameIsAskedAbout) {
    Graph g;
    SaveDesktop desktop;
    const std::string existing = g.dir.Write("graph.emf", "keep me");
    desktop.answers.push_back(SaveFileResult{g.dir.Path("graph.txt"), 1});
    g.main.menuGraphSaveClick(desktop);
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions[0], existing + " は既にあります。\n上書きしますか?");
    EXPECT_EQ(ReadWholeFile(existing), "keep me");
    EXPECT_EQ(g.main.LastImageName(), "");  // nothing remembered
    desktop.yes = true;
    desktop.answers.push_back(SaveFileResult{g.dir.Path("graph.txt"), 1});
    g.main.menuGraphSaveClick(desktop);
    EXPECT_EQ(Kind(ReadWholeFile(existing)), "emf");
}

TEST(menuGraphCopyClick, TheClipboardHoldsEmfSvgAndAnImage) {
    Graph g;
    g.main.menuGraphCopyClick();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray emf = data->data("image/x-emf");
    EXPECT_EQ(Kind(emf.toStdString()), "emf");
    EXPECT_EQ(data->data("image/emf"), emf);
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(550, 320));

    // The legend alone from the graph window's copy.
    g.main.ObjectClick(GraphObject::SampleBase);
    g.main.PopCopyClick();
    EXPECT_EQ(qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData()).size(),
              QSize(g.main.LegendPicture.Width(), g.main.LegendPicture.Height()));
}

}  // namespace
