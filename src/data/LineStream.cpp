#include "data/LineStream.h"

#include <algorithm>
#include <cstring>

LineStream::LineStream(const PlainFileReader& file, std::uint64_t begin, std::uint64_t end,
                       std::size_t blockBytes, ReadWatch* watch)
    : file_(file), watch_(watch), next_(begin), end_(std::max(begin, end)) {
    // No bigger than the stretch: a batch reads thousands of small files.
    buffer_.resize(
        std::max<std::size_t>(16, std::size_t(std::min<std::uint64_t>(blockBytes, end_ - begin))));
    if (begin == 0) {
        // Some editors start UTF-8 text with a byte order mark.
        char mark[3];
        if (end_ >= 3 && file_.ReadAt(0, mark, 3) == 3 && std::memcmp(mark, "\xEF\xBB\xBF", 3) == 0)
            next_ = 3;
    }
}

bool LineStream::Next(std::string_view& line) {
    for (;;) {
        char* data = buffer_.data();
        if (const void* lf = std::memchr(data + pos_, '\n', filled_ - pos_)) {
            const std::size_t end = std::size_t(static_cast<const char*>(lf) - data);
            line = std::string_view(data + pos_, end - pos_);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            pos_ = end + 1;
            return true;
        }
        if (next_ >= end_) {
            if (pos_ == filled_) return false;
            line = std::string_view(data + pos_, filled_ - pos_);
            pos_ = filled_;
            return true;
        }
        if (watch_ && watch_->Stop.load(std::memory_order_relaxed)) return false;
        // The unfinished line moves to the front; a line longer than the
        // buffer makes it grow.
        const std::size_t rest = filled_ - pos_;
        std::memmove(data, data + pos_, rest);
        pos_ = 0;
        filled_ = rest;
        if (filled_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
        data = buffer_.data();
        const std::size_t want =
            std::size_t(std::min<std::uint64_t>(buffer_.size() - filled_, end_ - next_));
        const std::int64_t got = file_.ReadAt(next_, data + filled_, want);
        if (got < 0) {
            failed_ = true;
            return false;
        }
        // A file that shrank while it was read ends where it ends now.
        if (got == 0) end_ = next_;
        filled_ += std::size_t(got);
        next_ += std::uint64_t(got);
        if (watch_) watch_->Bytes.fetch_add(std::uint64_t(got), std::memory_order_relaxed);
    }
}
