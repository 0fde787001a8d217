#pragma once

#include <functional>
#include <string>
#include <vector>

#include "batch/BatchMemory.h"
#include "batch/BatchRun.h"

class Desktop;
class TfMain;

// The state and commands of the batch form "Kurvo 連続 ｸﾞﾗﾌ処理": the
// chosen data files and configuration file, the read options, the output
// format and the status line. The form shows it.
class BatchForm {
  public:
    static constexpr const char* kReadyText = "設定はよろしいですか";
    static constexpr const char* kDoneText = "終了";

    BatchForm(TfMain& main, BatchMemory& memory)
        : Delimiter(memory.Delimiter),
          DecimalComma(memory.DecimalComma),
          main_(main),
          memory_(memory) {}

    std::vector<std::string> Files;
    std::string ConfigPath;
    DataDelimiter Delimiter = DataDelimiter::Space;
    // Not with the comma delimiter.
    bool DecimalComma = false;
    bool ReadpassCheck = false;
    std::string PassEdit = "0";
    bool ReadtitleCheck = false;
    bool FilenameToGraphTitle = true;
    // 1 EMF, 2 WMF, 3 BMP, 4 SVG, 5 PDF, 6 PNG: the tags of the format
    // buttons.
    int GraphFormat = 1;
    bool StartEnabled = false;
    std::string Info = kReadyText;

    // The names without folders, as the list shows them.
    std::vector<std::string> FileNames() const;
    void DataOpenClick(Desktop& desktop);
    void ConfigOpenClick(Desktop& desktop);
    // Processes every file; `status` hears each change of the status line.
    BatchResult StartClick(const std::function<void(const std::string&)>& status = {});

  private:
    TfMain& main_;
    BatchMemory& memory_;
};
