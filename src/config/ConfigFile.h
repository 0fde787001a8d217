#pragma once

#include <string>
#include <vector>

#include "data/DataOpenOptions.h"
#include "document/GraphDocument.h"
#include "platform/AtomicFile.h"
#include "platform/Colors.h"
#include "platform/Picture.h"
#include "platform/PlainFile.h"
#include "plot/PlotNames.h"

// The configuration file (.kvc): the settings of a graph document and of
// each of its series, in an INI file. The document's data are not kept.
namespace ConfigFile {

inline constexpr const char* kUnencodableText = "'%s' は設定ﾌｧｲﾙに保存できない文字を含んでいます";

inline constexpr const char* kForeignTargetText =
    "%s は設定ﾌｧｲﾙではない (ｾｸｼｮﾝの行がない) ので上書きしません";
inline constexpr const char* kReplaceForeignText =
    "%s は設定ﾌｧｲﾙではありません (ｾｸｼｮﾝの行がありません)。\n設定で上書きしますか?";

// A file there that holds other text and no section, and is not named
// ".kvc": most likely a data file named by a slip, which a configuration
// written into it would spoil.
bool IsForeignFile(const std::string& fileName);

// Writes every key in place into the file, saved at once, never over a
// kept file, and over a foreign file only when `replaceForeign`. False,
// with a message, when a text cannot be held in the file or the file is
// foreign; the file is unchanged.
bool Write(const GraphDocument& values, const std::string& fileName, const FileSet& keep = {},
           bool replaceForeign = false);

inline constexpr const char* kOutOfRangeText =
    "設定ﾌｧｲﾙ %s の [%s] %s=%s は使えません (%s から %s まで)";

// Reads every key into `values`, whose contents are the defaults. False,
// with a message, when the file does not exist or a number lies outside
// what the dialogs and the drawing allow (kOutOfRangeText, for the first
// such key); the caller then keeps its settings. A colour that
// is neither a name nor a number raises the conversion error; the keys
// before it are read into `values`, the rest are not.
bool Read(GraphDocument& values, const std::string& fileName);

// An axis type, curve method or mark type that is none of the names.
inline constexpr const char* kPlaceText =
    "設定ﾌｧｲﾙ %s の [%s] %s=%s は使えません (左,上 の整数の組で、%s から %s まで)";
inline constexpr const char* kUnknownNameText =
    "設定ﾌｧｲﾙ %s の [%s] %s=%s は使えません (%s のどれか)";

inline constexpr const char* kUnknownDelimiterText =
    "設定ﾌｧｲﾙ %s の [Data] Delimiter=%s は使えません (space, tab, comma, semicolon のどれか)";

// Only the [Data] keys, into `read`; what the file lacks stays as it is.
// False, with a message, when the file cannot be read or names no
// delimiter of ours.
bool ReadDataKeys(ReadSettings& read, const std::string& fileName);

}  // namespace ConfigFile
