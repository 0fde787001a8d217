#pragma once

#include <string>

class TfMain;

// The configuration file (.kvc): the settings records of the main window
// and the settings of every series row, in an INI file.
namespace ConfigFile {

inline constexpr const char* kNoFileText = "ﾌｧｲﾙがありません";
inline constexpr const char* kUnencodableText = "'%s' は設定ﾌｧｲﾙに保存できない文字を含んでいます";

// Writes every key in place into the file, saved at once. False, with a
// message, when a text cannot be held in the file; the file is unchanged.
bool Write(TfMain& main, const std::string& fileName);

// Reads every key with the current value as default. False, with a
// message and no change, when the file does not exist. A colour that is
// neither a name nor a number raises the conversion error; what was read
// before it stays applied.
bool Read(TfMain& main, const std::string& fileName);

}  // namespace ConfigFile
