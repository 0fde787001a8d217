#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A text file as the data reader sees it: a UTF-8 byte order mark at the
// start dropped, CR LF read as LF, then cut into lines at the line feeds,
// whatever their length. The line feeds are not part of the views.
struct TextLines {
    // The first lines are read from at most this much of the file, so a
    // preview of a file without line breaks stays quick.
    static constexpr std::size_t kFirstLinesBytes = std::size_t(1) << 20;

    std::string Buffer;
    std::vector<std::string_view> Lines;
};

// The whole file; nothing when it cannot be opened or is not a plain file.
std::optional<TextLines> LoadTextLines(const std::string& path);

// At most maxLines lines from the start of the file, reading no further
// than they need.
std::optional<TextLines> LoadFirstTextLines(const std::string& path, std::size_t maxLines);

// Splits text (already read) into lines; used by both loaders.
void SplitTextLines(TextLines& text, std::size_t maxLines = std::string::npos);
