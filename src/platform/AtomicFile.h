#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/RaisedError.h"

// How a file the program writes may be written.
struct WriteRules {
    // Files that are never replaced, by any path or link: the data files
    // in use, which a graph or configuration named after them would lose.
    std::vector<std::string> Keep;
    // The error raised when the write fails, %s the path; the system's
    // reason follows it.
    const char* FailureText = kCannotCreateText;
};

inline constexpr const char* kNotPlainTargetText = "%s は通常のﾌｧｲﾙではないので書き込みません";
inline constexpr const char* kFolderTargetText = "%s はﾌｫﾙﾀﾞなので書き込みません";
inline constexpr const char* kDataTargetText = "%s はﾃﾞｰﾀﾌｧｲﾙなので上書きしません";
inline constexpr const char* kLinkedDataTargetText =
    "%s はﾃﾞｰﾀﾌｧｲﾙ %s と同じﾌｧｲﾙなので上書きしません";

// Why `path` may not be written, or nothing when it may: only a plain file
// or a new name is written; a link is replaced, never followed, and a link
// to a kept file, or a kept file by another name, is refused.
std::optional<std::string> WriteRefusal(const std::string& path,
                                        const std::vector<std::string>& keep);

// Writes bytes to a file through a temporary file beside it that is
// renamed over it, so a failed write leaves an existing file as it was,
// and a link where the file is to be is replaced by the file. The name is
// taken as the bytes it is. Raises the refusal, or the rules' failure
// text with the system's reason.
void WriteFileAtomically(const std::string& path, const std::string& bytes,
                         const WriteRules& rules = {});
