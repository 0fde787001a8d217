#include "platform/IniFile.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/Cp932.h"
#include "platform/FormatText.h"
#include "platform/NumberText.h"
#include "platform/PlainFile.h"
#include "platform/RaisedError.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

// "[name]" gives name; anything else nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    const std::string_view t = Trim(line);
    return t.empty() || t[0] == ';';
}

unsigned char LowerByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

// A value as it stands in its line. Reading takes blanks off both ends and
// one pair of quotes around the whole value; a value that would lose
// either is put in quotes, so that it reads back as it was written.
std::string StoredValue(const std::string& value) {
    if (value.empty()) return value;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const auto quote = [](char c) { return c == '"' || c == '\''; };
    const bool quoted = value.size() >= 2 && quote(value.front()) && value.back() == value.front();
    return blank(value.front()) || blank(value.back()) || quoted ? '"' + value + '"' : value;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerByte(a[i]) != LowerByte(b[i])) return false;
    return true;
}

std::size_t TIniFile::CaseBlindHash::operator()(std::string_view s) const {
    std::size_t h = 14695981039346656037ull;  // FNV-1a
    for (char c : s) h = (h ^ LowerByte(c)) * 1099511628211ull;
    return h;
}

bool TIniFile::CaseBlindEqual::operator()(std::string_view a, std::string_view b) const {
    return SameText(a, b);
}

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
    sections_.emplace_back();  // the lines before the first header
    // A folder or a named pipe is no configuration file.
    const std::optional<std::string> read = ReadPlainFile(fileName_);
    if (!read) return;
    const std::string& bytes = *read;
    exists_ = true;
    bool indexed = false;
    utf8_ = bytes.starts_with(kUtf8Mark);
    std::size_t pos = utf8_ ? kUtf8Mark.size() : 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        std::string_view raw(bytes.data() + pos, end - pos);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        pos = end + 1;
        Line line{std::string(raw), utf8_ ? std::string(raw) : Cp932ToUtf8(raw)};
        if (const auto name = SectionName(line.Text)) {
            indexed = sectionIndex_.emplace(std::string(*name), sections_.size()).second;
            sections_.push_back(Section{std::move(line), {}, {}, 0});
            continue;
        }
        Section& section = sections_.back();
        if (indexed && !IsComment(line.Text)) {
            const std::size_t eq = line.Text.find('=');
            if (eq != std::string::npos)
                section.Keys.emplace(std::string(Trim(std::string_view(line.Text).substr(0, eq))),
                                     section.Lines.size());
        }
        if (!IsBlank(line.Text)) section.End = section.Lines.size() + 1;
        section.Lines.push_back(std::move(line));
    }
}

const TIniFile::Line* TIniFile::FindLine(const std::string& section, const std::string& key) const {
    const auto s = sectionIndex_.find(std::string_view(section));
    if (s == sectionIndex_.end()) return nullptr;
    const Section& found = sections_[s->second];
    const auto k = found.Keys.find(std::string_view(key));
    return k == found.Keys.end() ? nullptr : &found.Lines[k->second];
}

std::optional<std::string> TIniFile::Value(const std::string& section,
                                           const std::string& key) const {
    const Line* line = FindLine(section, key);
    if (!line) return std::nullopt;
    const std::size_t eq = line->Bytes.find('=');
    std::string value(Trim(std::string_view(line->Bytes).substr(eq + 1)));
    // Quotes around the whole value are not part of it.
    if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                              (value.front() == '\'' && value.back() == '\'')))
        value = value.substr(1, value.size() - 2);
    if (!utf8_) return Cp932ToUtf8(Cp932Prefix(value, kMaxValueBytes));
    // As many bytes, without half a character.
    std::size_t length = std::min(value.size(), kMaxValueBytes);
    while (length > 0 && length < value.size() &&
           (static_cast<unsigned char>(value[length]) & 0xC0) == 0x80)
        --length;
    value.resize(length);
    return value;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    const auto v = Value(section, key);
    return v ? *v : defaultValue;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key,
                          int defaultValue) const {
    const auto v = Value(section, key);
    if (!v) return defaultValue;
    std::string text = *v;
    if (text.size() <= 2 && (text == "0x" || text == "0X")) return defaultValue;
    try {
        return StrToInt(text);
    } catch (const RaisedError&) {
        return defaultValue;
    }
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key,
                        bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

TIniFile::Line TIniFile::MakeLine(const std::string& text) {
    if (!utf8_) {
        if (auto bytes = Utf8ToCp932(text)) return Line{*bytes, text};
        // A character CP932 has no code for: the whole file goes over to
        // UTF-8, which holds every text.
        SwitchToUtf8();
    }
    return Line{text, text};
}

void TIniFile::SwitchToUtf8() {
    utf8_ = true;
    for (Section& section : sections_) {
        if (section.Header) section.Header->Bytes = section.Header->Text;
        for (Line& line : section.Lines) line.Bytes = line.Text;
    }
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    // A line break would end the line and make the rest a line of its own.
    if (!unencodable_ && value.find_first_of("\r\n") != std::string::npos) unencodable_ = value;
    auto [s, added] = sectionIndex_.emplace(section, sections_.size());
    if (added) sections_.push_back(Section{MakeLine("[" + section + "]"), {}, {}, 0});
    Section& target = sections_[s->second];
    auto [k, newKey] = target.Keys.emplace(key, target.End);
    if (!newKey) {
        // The key keeps its spelling; the value is replaced.
        Line& line = target.Lines[k->second];
        const std::string name(Trim(std::string_view(line.Text).substr(0, line.Text.find('='))));
        line = MakeLine(name + "=" + StoredValue(value));
        return;
    }
    // The end of the section: after its last line that is not blank. Only
    // blank lines follow, so no indexed line moves.
    target.Lines.insert(target.Lines.begin() + long(target.End),
                        MakeLine(key + "=" + StoredValue(value)));
    ++target.End;
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::UpdateFile(const FileSet& keep) const {
    std::string bytes(utf8_ ? kUtf8Mark : std::string_view());
    auto add = [&bytes](const Line& line) {
        bytes += line.Bytes;
        bytes += "\r\n";
    };
    for (const Section& section : sections_) {
        if (section.Header) add(*section.Header);
        for (const Line& line : section.Lines) add(line);
    }
    WriteFileAtomically(fileName_, bytes, {keep, kCannotWriteText});
}
