#include "platform/IniFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/Cp932.h"
#include "platform/GraphFiles.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"

namespace {

std::string Trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

// "[name]" gives name; anything else nothing.
std::optional<std::string> SectionName(const std::string& line) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

bool IsComment(const std::string& line) {
    const std::string t = Trim(line);
    return t.empty() || t[0] == ';';
}

}  // namespace

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
    std::ifstream in(fileName_, std::ios::binary);
    if (!in) return;
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) return;
    exists_ = true;
    const std::string bytes = all.str();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        std::string raw = bytes.substr(pos, end - pos);
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        lines_.push_back(Line{raw, Cp932ToUtf8(raw)});
        pos = end + 1;
    }
}

namespace {

std::string Lower(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string KeyOf(std::size_t sectionLine, const std::string& key) {
    return std::to_string(sectionLine) + '\n' + Lower(key);
}

}  // namespace

// The first section of a name is the one that counts, and in it the first
// line of a key.
void TIniFile::BuildIndex() const {
    sectionIndex_.clear();
    keyIndex_.clear();
    long current = -1;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string& text = lines_[i].Text;
        if (const auto name = SectionName(text)) {
            const bool first = sectionIndex_.emplace(Lower(*name), i).second;
            current = first ? long(i) : -1;
            continue;
        }
        if (current < 0 || IsComment(text)) continue;
        const std::size_t eq = text.find('=');
        if (eq == std::string::npos) continue;
        keyIndex_.emplace(KeyOf(std::size_t(current), Trim(text.substr(0, eq))), i);
    }
    indexed_ = true;
}

long TIniFile::FindSection(const std::string& section) const {
    if (!indexed_) BuildIndex();
    const auto it = sectionIndex_.find(Lower(section));
    return it == sectionIndex_.end() ? -1 : long(it->second);
}

long TIniFile::FindKey(long sectionLine, const std::string& key) const {
    if (!indexed_) BuildIndex();
    const auto it = keyIndex_.find(KeyOf(std::size_t(sectionLine), key));
    return it == keyIndex_.end() ? -1 : long(it->second);
}

std::optional<std::string> TIniFile::Value(const std::string& section,
                                           const std::string& key) const {
    const long s = FindSection(section);
    if (s < 0) return std::nullopt;
    const long k = FindKey(s, key);
    if (k < 0) return std::nullopt;
    const Line& line = lines_[std::size_t(k)];
    const std::size_t eq = line.Bytes.find('=');
    std::string value = Trim(line.Bytes.substr(eq + 1));
    // Quotes around the whole value are not part of it.
    if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                              (value.front() == '\'' && value.back() == '\'')))
        value = value.substr(1, value.size() - 2);
    return Cp932ToUtf8(Cp932Prefix(value, kMaxValueBytes));
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
    auto bytes = Utf8ToCp932(text);
    if (!bytes) {
        if (!unencodable_) unencodable_ = text;
        bytes = std::string();
    }
    return Line{*bytes, text};
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    if (!unencodable_ && !Utf8ToCp932(value)) unencodable_ = value;
    long s = FindSection(section);
    if (s < 0) {
        lines_.push_back(MakeLine("[" + section + "]"));
        s = long(lines_.size()) - 1;
        sectionIndex_.emplace(Lower(section), std::size_t(s));
    }
    const long k = FindKey(s, key);
    if (k >= 0) {
        // The key keeps its spelling; the value is replaced.
        const std::string& text = lines_[std::size_t(k)].Text;
        const std::string name = Trim(text.substr(0, text.find('=')));
        lines_[std::size_t(k)] = MakeLine(name + "=" + value);
        return;
    }
    // The end of the section: after its last key line.
    std::size_t insert = std::size_t(s) + 1;
    for (std::size_t i = std::size_t(s) + 1; i < lines_.size(); ++i) {
        if (SectionName(lines_[i].Text)) break;
        if (!Trim(lines_[i].Text).empty()) insert = i + 1;
    }
    if (insert == lines_.size()) {
        lines_.push_back(MakeLine(key + "=" + value));
        keyIndex_.emplace(KeyOf(std::size_t(s), key), insert);
    } else {
        lines_.insert(lines_.begin() + long(insert), MakeLine(key + "=" + value));
        indexed_ = false;  // the lines after it moved
    }
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::UpdateFile() const {
    std::string bytes;
    for (const Line& line : lines_) {
        bytes += line.Bytes;
        bytes += "\r\n";
    }
    try {
        WriteFileAtomically(fileName_, bytes);
    } catch (const RaisedError&) {
        Raise(FormatText(kCannotWriteText, {fileName_}));
    }
}
