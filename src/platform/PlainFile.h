#pragma once

#include <optional>
#include <string>

// The bytes of a plain file, at most `limit` of them; nothing when it
// cannot be opened or read or is no plain file (a folder, a named pipe, a
// device). Opening never waits: a named pipe without a writer is refused at
// once instead of hanging the program.
std::optional<std::string> ReadPlainFile(const std::string& path,
                                         std::size_t limit = std::string::npos / 2);

// The message for a file that is missing or no plain file.
inline constexpr const char* kNoFileText = "ﾌｧｲﾙがありません";

// The file is a plain file that can be opened for reading.
bool IsReadablePlainFile(const std::string& path);

// Why ReadPlainFile gave nothing for the path, as a message: missing
// (kNoFileText), no permission, a folder, no plain file (a pipe, a
// device, a stream of the process such as /dev/stdin), or the system's
// reason.
std::string ReadRefusalText(const std::string& path);
