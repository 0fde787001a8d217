#include "batch/BatchForm.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <sstream>

#include "app/TfMain.h"
#include "platform/NumberText.h"

namespace {

std::string Folder(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

}  // namespace

std::vector<std::string> BatchForm::FileNames() const {
    std::vector<std::string> names;
    for (const std::string& f : Files) names.push_back(FileNameOf(f));
    return names;
}

void BatchForm::DataOpenClick(Desktop& desktop) {
    BatchMemory& memory = memory_;
    OpenFileRequest request;
    request.Filter = TfMain::kDataFilter;
    request.MultiSelect = true;
    if (memory.FilesChosen) {
        request.InitialDir = Folder(memory.FirstFile);
        request.FilterIndex = memory.FilterIndex;
    } else {
        request.FilterIndex = TfMain::kDataFilesFilter;
    }
    const auto chosen = desktop.OpenFile(request);
    if (!chosen || chosen->Files.empty()) return;
    Files = chosen->Files;
    memory.FilterIndex = chosen->FilterIndex;
    memory.FirstFile = chosen->Files.front();
    memory.FilesChosen = true;
    StartEnabled = true;
}

void BatchForm::ConfigOpenClick(Desktop& desktop) {
    BatchMemory& memory = memory_;
    OpenFileRequest request;
    request.Filter = TfMain::kDataFilter;
    request.FilterIndex = TfMain::kConfigInDataFilter;
    if (memory.ConfigChosen) request.InitialDir = Folder(memory.ConfigFile);
    const auto chosen = desktop.OpenFile(request);
    if (!chosen || chosen->Files.empty()) return;
    memory.ConfigFile = chosen->Files.front();
    memory.ConfigChosen = true;
    ConfigPath = memory.ConfigFile;
}

BatchResult BatchForm::StartClick(const std::function<void(const std::string&)>& status) {
    BatchOptions options;
    options.Read.SetDelimiter(Delimiter);
    options.Read.DecimalComma = DecimalComma && Delimiter != DataDelimiter::Comma;
    memory_.Delimiter = Delimiter;
    memory_.DecimalComma = options.Read.DecimalComma;
    options.Read.ReadTitle = ReadtitleCheck;
    options.Read.Step = ReadpassCheck;
    // The count of lines to skip, not a line number.
    options.Read.StepNum = LeadingInteger(PassEdit);
    options.KeepTitle = !FilenameToGraphTitle;
    options.Format = kBatchFormats[std::clamp(GraphFormat, 1, int(std::size(kBatchFormats))) - 1];
    options.Config = ConfigPath;
    options.Files = Files;
    std::ostringstream progress;
    const BatchResult result = RunBatch(main_, options, progress, [&](const std::string& path) {
        Info = FileNameOf(path) + kWorkingText;
        if (status) status(Info);
    });
    Info = kDoneText;
    if (status) status(Info);
    return result;
}
