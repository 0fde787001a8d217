#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/PlainFile.h"

// What the readers of a file's pieces tell the thread that waits for them:
// the bytes read so far, and whether to stop.
struct ReadWatch {
    std::atomic<std::uint64_t> Bytes{0};
    std::atomic<bool> Stop{false};
};

// The lines of a stretch of a text file, read block by block, so that a
// file of any size takes no more memory than a block and its longest line.
// Each line comes without its line feed and without a CR directly before
// it; a last line needs no line feed. A UTF-8 byte order mark at the very
// start of the file is no part of the first line.
class LineStream {
  public:
    static constexpr std::size_t kBlockBytes = std::size_t(1) << 22;

    LineStream(const PlainFileReader& file, std::uint64_t begin, std::uint64_t end,
               std::size_t blockBytes = kBlockBytes, ReadWatch* watch = nullptr);

    // The next line, valid until the next call; false at the end, on a
    // read error (Failed), and once the watch says stop.
    bool Next(std::string_view& line);
    bool Failed() const { return failed_; }
    // Where in the file the line Next gives next begins.
    std::uint64_t Offset() const { return next_ - (filled_ - pos_); }

  private:
    const PlainFileReader& file_;
    ReadWatch* watch_;
    std::uint64_t next_;
    std::uint64_t end_;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::size_t filled_ = 0;
    bool failed_ = false;
};
