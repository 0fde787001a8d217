#include "data/TextLines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Reads up to limit bytes of a plain file; nothing if it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.resize(std::min<std::size_t>(std::size_t(std::max<off_t>(st.st_size, 0)), limit));
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (bytes.size() >= limit) break;
            bytes.resize(std::min(limit, std::max<std::size_t>(bytes.size() * 2, 65536)));
        }
        const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        have += std::size_t(n);
    }
    ::close(fd);
    bytes.resize(have);
    return bytes;
}

// Text mode: a CR directly before a LF disappears.
void FoldCrLf(std::string& bytes) {
    std::size_t out = bytes.find('\r');
    if (out == std::string::npos) return;
    const std::size_t n = bytes.size();
    for (std::size_t i = out; i < n; ++i) {
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') continue;
        bytes[out++] = bytes[i];
    }
    bytes.resize(out);
}

// A UTF-8 byte order mark, as some editors write, is no part of the data.
void DropByteOrderMark(std::string& bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
}

}  // namespace

void SplitTextLines(TextLines& text, std::size_t maxLines) {
    const std::string_view all(text.Buffer);
    text.Lines.clear();
    std::size_t pos = 0;
    while (pos < all.size() && text.Lines.size() < maxLines) {
        const std::size_t lf = all.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? all.size() : lf;
        text.Lines.push_back(all.substr(pos, end - pos));
        pos = end + 1;
    }
}

std::optional<TextLines> LoadTextLines(const std::string& path) {
    auto bytes = ReadFileBytes(path, std::string::npos / 2);
    if (!bytes) return std::nullopt;
    TextLines text;
    text.Buffer = std::move(*bytes);
    DropByteOrderMark(text.Buffer);
    FoldCrLf(text.Buffer);
    SplitTextLines(text);
    return text;
}

std::optional<TextLines> LoadFirstTextLines(const std::string& path, std::size_t maxLines) {
    auto bytes = ReadFileBytes(path, TextLines::kFirstLinesBytes);
    if (!bytes) return std::nullopt;
    TextLines text;
    text.Buffer = std::move(*bytes);
    DropByteOrderMark(text.Buffer);
    FoldCrLf(text.Buffer);
    SplitTextLines(text, maxLines);
    return text;
}
