#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/RaisedError.h"

// Files named by paths and known by what they are (device and inode, as
// they were when added), so that asking whether a file is one of the
// thousands of a batch costs a lookup, not a look at each.
class FileSet {
  public:
    FileSet() = default;
    FileSet(const std::vector<std::string>& paths);  // NOLINT: a list of paths is a set
    void Add(const std::string& path);
    // The path of the set's file that `device` and `inode` are, if any.
    const std::string* Find(std::uint64_t device, std::uint64_t inode) const;

  private:
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::string> files_;
};

// How a file the program writes may be written.
struct WriteRules {
    // Files that are never replaced, by any path or link: the data files
    // in use, which a graph or configuration named after them would lose.
    FileSet Keep;
    // The error raised when the write fails, %s the path; the system's
    // reason follows it.
    const char* FailureText = kCannotCreateText;
};

inline constexpr const char* kNotPlainTargetText = "%s は通常のﾌｧｲﾙではないので書き込みません";
inline constexpr const char* kFolderTargetText = "%s はﾌｫﾙﾀﾞなので書き込みません";
inline constexpr const char* kDataTargetText = "%s はﾃﾞｰﾀﾌｧｲﾙなので上書きしません";
inline constexpr const char* kLinkedDataTargetText =
    "%s はﾃﾞｰﾀﾌｧｲﾙ %s と同じﾌｧｲﾙなので上書きしません";

// Writes all the bytes to a file descriptor, again after an interruption;
// false with errno set (ENOSPC for a write that wrote nothing) otherwise.
bool WriteAll(int fd, std::string_view bytes);

// Why `path` may not be written, or nothing when it may: only a plain file
// or a new name is written; a link is replaced, never followed, and a link
// to a kept file, or a kept file by another name, is refused.
std::optional<std::string> WriteRefusal(const std::string& path, const FileSet& keep);

// Writes bytes to a file through a temporary file beside it that is
// renamed over it, so a failed write leaves an existing file as it was,
// and a link where the file is to be is replaced by the file. The name is
// taken as the bytes it is. Raises the refusal, or the rules' failure
// text with the system's reason.
void WriteFileAtomically(const std::string& path, const std::string& bytes,
                         const WriteRules& rules = {});
