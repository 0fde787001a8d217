#include "batch/BatchRun.h"

#include <ostream>

#include "app/TfMain.h"
#include "graph/TMathLabel.h"
#include "platform/FilePaths.h"
#include "platform/MessageSink.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"

std::string BatchOutputPath(const std::string& dataPath, const std::string& format) {
    return WithoutExtension(dataPath) + "." + format;
}

std::string GraphTitleOf(const std::string& path) {
    return EscapeMarkup(FileTitle(path));
}

namespace {

constexpr const char* kNotDrawnText = " のｸﾞﾗﾌを描けませんでした";

// Passes messages on and counts them.
class CountingMessageSink : public MessageSink {
  public:
    explicit CountingMessageSink(MessageSink& next) : next_(next) {}
    void ShowMessage(const std::string& text) override {
        ++Count;
        next_.ShowMessage(text);
    }
    int Count = 0;

  private:
    MessageSink& next_;
};

}  // namespace

BatchResult RunBatch(TfMain& main, const BatchOptions& options, std::ostream& progress,
                     const std::function<void(const std::string&)>& startingFile,
                     const std::function<void(const std::string&)>& messagesAbout) {
    auto about = [&](const std::string& file) {
        if (messagesAbout) messagesAbout(file);
    };
    main.DataOpen.SetOptions(options.Read);
    BatchResult result;
    CountingMessageSink counting(CurrentMessageSink());
    ScopedMessageSink scope(counting);
    const int total = int(options.Files.size());
    for (int i = 0; i < total; ++i) {
        const std::string& path = options.Files[std::size_t(i)];
        const std::string name = FileNameOf(path);
        progress << "[" << i + 1 << "/" << total << "] " << name << kWorkingText << std::endl;
        if (startingFile) startingFile(path);
        about(path);
        const int graphsBefore = result.Graphs;
        const int messagesBefore = counting.Count;
        RunCommand([&] {
            main.DataOpen.FileName = path;
            if (!main.DataOpen.ReadData()) return;
            main.FillDataGrid();
            if (main.DataOpen.Col() <= 1) {
                ShowMessage(name + " のﾃﾞｰﾀが不正です");
                return;
            }
            if (!options.Config.empty()) {
                about(options.Config);
                main.ReadConfigFile(options.Config);
                about(path);
            }
            if (!options.KeepTitle) main.Title.Main = GraphTitleOf(path);
            if (!main.DrawGraph("Start")) return;
            const std::string output = BatchOutputPath(path, options.Format);
            if (output == path) {
                ShowMessage(name + " はｸﾞﾗﾌと同じ名前なので保存しません");
                return;
            }
            main.PngExport = options.Png;
            main.SaveGraphFile(output);
            ++result.Graphs;
        });
        if (result.Graphs == graphsBefore) {
            ++result.Skipped;
            if (counting.Count == messagesBefore) ShowMessage(name + kNotDrawnText);
        }
    }
    return result;
}
