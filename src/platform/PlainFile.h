#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The bytes of a plain file, at most `limit` of them; nothing when it
// cannot be opened or read or is no plain file (a folder, a named pipe, a
// device). Opening never waits: a named pipe without a writer is refused at
// once instead of hanging the program.
std::optional<std::string> ReadPlainFile(const std::string& path,
                                         std::size_t limit = std::string::npos / 2);

// A plain file opened for reading at any offset, from several threads at
// once; not open when OpenPlainFile would refuse the path.
class PlainFileReader {
  public:
    explicit PlainFileReader(const std::string& path);
    ~PlainFileReader();
    PlainFileReader(const PlainFileReader&) = delete;
    PlainFileReader& operator=(const PlainFileReader&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // The size the file has now.
    std::uint64_t Size() const;
    // Reads up to n bytes at offset, fewer only at the file's end; -1 on a
    // read error.
    std::int64_t ReadAt(std::uint64_t offset, char* buffer, std::size_t n) const;

  private:
    int fd_ = -1;
};

// The message for a file that is missing or no plain file.
inline constexpr const char* kNoFileText = "ﾌｧｲﾙがありません";

// The file is a plain file that can be opened for reading.
bool IsReadablePlainFile(const std::string& path);

// Why ReadPlainFile gave nothing for the path, as a message: missing
// (kNoFileText), no permission, a folder, no plain file (a pipe, a
// device, a stream of the process such as /dev/stdin), or the system's
// reason.
std::string ReadRefusalText(const std::string& path);
