#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// An INI profile file: sections of "key=value" lines. Names are matched
// without regard to case. Writing changes the file in memory in place (a
// present key gets the new value, a new key goes to the end of its
// section, a new section to the end of the file, every other line stays
// byte for byte); UpdateFile then saves the whole text at once, in CP932
// with CR LF line ends, or not at all.
class TIniFile {
public:
    // Reads the file if it exists; a missing file is an empty one.
    explicit TIniFile(std::string fileName);

    bool Exists() const { return exists_; }
    const std::string& FileName() const { return fileName_; }

    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Hexadecimal after "0x" (when longer than two characters) or "$",
    // decimal otherwise; anything else gives the default.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    // The first text written that CP932 cannot hold, if any.
    const std::optional<std::string>& Unencodable() const { return unencodable_; }
    // Saves through a temporary file renamed over the old one; raises
    // "%s に書き込めません" when that fails, and the old file stays whole.
    void UpdateFile() const;

    // Reads texts of at most this many bytes, as the profile functions do.
    static constexpr std::size_t kMaxValueBytes = 1023;

private:
    struct Line {
        std::string Bytes;  // as on disk, without the line end
        std::string Text;   // decoded
    };
    // Index of the section header line, or -1.
    long FindSection(const std::string& section) const;
    long FindKey(long sectionLine, const std::string& key) const;
    Line MakeLine(const std::string& text);

    // Where each section and key stands, made when first needed and again
    // after a line was inserted: reading a large file stays linear.
    void BuildIndex() const;
    mutable std::unordered_map<std::string, std::size_t> sectionIndex_;
    mutable std::unordered_map<std::string, std::size_t> keyIndex_;
    mutable bool indexed_ = false;

    std::string fileName_;
    bool exists_ = false;
    std::vector<Line> lines_;
    std::optional<std::string> unencodable_;
};

bool SameText(const std::string& a, const std::string& b);
