#include "data/TextLines.h"

#include "platform/PlainFile.h"

namespace {

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
    // The views point into the buffer, which must stay where it is when the
    // lines are moved: a short string lives inside the string object
    // itself, so it gets a buffer of its own first.
    if (text.Buffer.capacity() < 64) text.Buffer.reserve(64);
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
    auto bytes = ReadPlainFile(path);
    if (!bytes) return std::nullopt;
    TextLines text;
    text.Buffer = std::move(*bytes);
    DropByteOrderMark(text.Buffer);
    FoldCrLf(text.Buffer);
    SplitTextLines(text);
    return text;
}

std::optional<TextLines> LoadFirstTextLines(const std::string& path, std::size_t maxLines) {
    auto bytes = ReadPlainFile(path, TextLines::kFirstLinesBytes);
    if (!bytes) return std::nullopt;
    TextLines text;
    text.Buffer = std::move(*bytes);
    DropByteOrderMark(text.Buffer);
    FoldCrLf(text.Buffer);
    SplitTextLines(text, maxLines);
    return text;
}
