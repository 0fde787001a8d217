#include "batch/BatchRun.h"
#include "fit/FitText.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <thread>

#include "app/TfMain.h"
#include "graph/TMathLabel.h"
#include "platform/FilePaths.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"

std::string BatchOutputPath(const std::string& dataPath, const std::string& format) {
    return WithoutExtension(dataPath) + "." + format;
}

std::string GraphTitleOf(const std::string& path) {
    return EscapeMarkup(FileTitle(path));
}

std::string NotDrawnText(const std::string& path) {
    return FormatText("%s のｸﾞﾗﾌを描けませんでした", {FileNameOf(path)});
}

namespace {

constexpr const char* kDrawnWithErrorsText =
    "%s のｸﾞﾗﾌは保存しましたが、上のｴﾗｰの部分は描かれていません";
constexpr const char* kReadingText = "読み込み中";
constexpr const char* kDrawingText = "描画中";
constexpr const char* kSavingText = "保存中";

// Passes messages and notices on and counts the messages: every one is
// an error of the file it is about.
class CountingMessageSink : public MessageSink {
  public:
    explicit CountingMessageSink(MessageSink& next) : next_(next) {}
    void ShowMessage(const std::string& text) override {
        ++Count;
        next_.ShowMessage(text);
    }
    void ShowNotice(const std::string& text) override { next_.ShowNotice(text); }
    int Count = 0;

  private:
    MessageSink& next_;
};

// Once a file has taken longer than `after`, tells which step it is at
// (reading, drawing, saving), and again at each later step: a million rows
// take seconds, and a silent run looks stuck.
class StepNotice {
  public:
    StepNotice(std::ostream& out, std::string name, std::chrono::milliseconds after)
        : out_(out),
          name_(std::move(name)),
          after_(after),
          start_(std::chrono::steady_clock::now()),
          watcher_([this] { Watch(); }) {}
    ~StepNotice() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        woken_.notify_one();
        watcher_.join();
    }
    void Step(const char* step) {
        std::lock_guard<std::mutex> lock(mutex_);
        step_ = step;
        TellIfSlow();
    }

  private:
    void Watch() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!woken_.wait_for(lock, std::chrono::milliseconds(100), [this] { return done_; }))
            TellIfSlow();
    }
    // With the lock held.
    void TellIfSlow() {
        if (!step_ || step_ == told_ || std::chrono::steady_clock::now() - start_ < after_) return;
        out_ << "  " << ShownText(name_) << ": " << step_ << std::endl;
        told_ = step_;
    }

    std::ostream& out_;
    const std::string name_;
    const std::chrono::milliseconds after_;
    const std::chrono::steady_clock::time_point start_;
    std::mutex mutex_;
    std::condition_variable woken_;
    bool done_ = false;
    const char* step_ = nullptr;
    const char* told_ = nullptr;
    std::thread watcher_;
};

}  // namespace

BatchResult RunBatch(TfMain& main, const BatchOptions& options, std::ostream& progress,
                     const std::function<void(const std::string&)>& startingFile,
                     const std::function<void(const std::string&)>& messagesAbout) {
    auto about = [&](const std::string& file) {
        if (messagesAbout) messagesAbout(file);
    };
    // No graph of the run replaces a data file of the run, read yet or not.
    main.BatchDataFiles = options.Files;
    BatchResult result;
    CountingMessageSink counting(CurrentMessageSink());
    ScopedMessageSink scope(counting);
    // A run keeps no undo steps (each would keep its file's table), and
    // the steps before it no longer lead to the document it leaves.
    struct NoUndo {
        TfMain& main;
        bool records = main.RecordsUndo;
        NoUndo(TfMain& m) : main(m) { main.RecordsUndo = false; }
        ~NoUndo() {
            main.RecordsUndo = records;
            main.UndoStack.clear();
        }
    } noUndo(main);
    // Overlaid, the files are one graph: its group is every file.
    std::vector<std::vector<std::string>> groups;
    if (options.Overlay && !options.Files.empty())
        groups.push_back(options.Files);
    else
        for (const std::string& file : options.Files) groups.push_back({file});
    const int total = int(groups.size());
    int nextInTurn = 0;
    auto next = [&] { return options.NextFile ? options.NextFile() : nextInTurn++; };
    for (int i = next(); i >= 0 && i < total; i = next()) {
        const std::vector<std::string>& group = groups[std::size_t(i)];
        const std::string& path = group.front();
        const std::string name = FileNameOf(path);
        progress << "[" << i + 1 << "/" << total << "] " << ShownText(name) << kWorkingText
                 << std::endl;
        if (startingFile) startingFile(path);
        about(path);
        const int graphsBefore = result.Graphs;
        const int skippedBefore = result.Skipped;
        const int messagesBefore = counting.Count;
        StepNotice notice(progress, name, options.SlowAfter);
        RunCommand([&] {
            // Each file as the run says: a configuration read after the
            // last file does not choose how the next is read.
            notice.Step(kReadingText);
            for (std::size_t k = 0; k < group.size(); ++k) {
                about(group[k]);
                main.DataOpen.SetOptions(options.Read);
                main.DataOpen.FileName = group[k];
                if (!main.DataOpen.ReadData()) return;
                if (k == 0)
                    main.FillDataGrid();
                else
                    main.AppendDataGrid();
            }
            about(path);
            if (!options.Config.empty()) {
                about(options.Config);
                main.ReadConfigFile(options.Config);
                about(path);
            }
            if (!options.KeepTitle) main.Doc.Title.Main = GraphTitleOf(path);
            if (options.NiceTicks)
                main.Doc.X().NiceTicks = main.Doc.Y().NiceTicks = main.Doc.Y2().NiceTicks = true;
            if (options.Size)
                main.Doc.Graph.SetCanvas(options.Size->Unit, options.Size->Width,
                                         options.Size->Height);
            for (GraphSeries& s : main.Doc.Series)
                if (std::find(options.RightAxisColumns.begin(), options.RightAxisColumns.end(),
                              s.YColumn) != options.RightAxisColumns.end())
                    s.Style.AxisY = SeriesStyle::kRightAxis;
            notice.Step(kDrawingText);
            if (!main.DrawGraph(false)) return;
            const std::string output = options.Overlay && !options.Output.empty()
                                           ? options.Output
                                           : BatchOutputPath(path, options.Format);
            main.PngExport = options.Png;
            notice.Step(kSavingText);
            main.SaveGraphFile(output);
            ++result.Graphs;
            if (options.FitReportRows)
                options.FitReportRows(FitReportRows(path, main.FitResults()));
        });
        // A graph saved after an error lacks what the error was about: the
        // file is not done.
        if (result.Graphs > graphsBefore && counting.Count > messagesBefore) {
            --result.Graphs;
            ShowMessage(FormatText(kDrawnWithErrorsText, {name}));
        }
        if (result.Graphs == graphsBefore) {
            ++result.Skipped;
            if (counting.Count == messagesBefore) ShowMessage(NotDrawnText(path));
        }
        if (options.FileDone)
            options.FileDone(i, result.Graphs - graphsBefore, result.Skipped - skippedBefore);
    }
    return result;
}
