#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/AtomicFile.h"

// An INI profile file: sections of "key=value" lines. Names are matched
// without regard to case. Writing changes the file in memory in place (a
// present key gets the new value, a new key goes to the end of its
// section, a new section to the end of the file, every other line stays
// byte for byte); UpdateFile then saves the whole text at once, with CR LF
// line ends, or not at all. The text is CP932 while every character has a
// code there; a file that holds others (µ, ä, 😀) is UTF-8 with a byte
// order mark, which is how such a file is recognised when read.
class TIniFile {
  public:
    // Reads the file if it exists; a missing file is an empty one.
    explicit TIniFile(std::string fileName);

    bool Exists() const { return exists_; }
    // The file holds lines that are not blank but no section: some other
    // text than a profile file.
    bool HoldsOtherText() const { return sections_.size() == 1 && sections_[0].End > 0; }
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

    // The text is UTF-8 (a byte order mark), not CP932.
    bool IsUtf8() const { return utf8_; }
    // The first text written that a line of the file cannot hold (a line
    // break), if any.
    const std::optional<std::string>& Unencodable() const { return unencodable_; }
    // Saves through a temporary file renamed over the old one, never over
    // a kept file; raises "%s に書き込めません" with the reason when that
    // fails, and the old file stays whole.
    void UpdateFile(const FileSet& keep = {}) const;

    // Reads texts of at most this many bytes, as the profile functions do.
    static constexpr std::size_t kMaxValueBytes = 1023;

  private:
    // Names are compared without regard to case and looked up without
    // copying them.
    struct CaseBlindHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const;
    };
    struct CaseBlindEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameIndex = std::unordered_map<std::string, std::size_t, CaseBlindHash, CaseBlindEqual>;

    struct Line {
        std::string Bytes;  // as on disk, without the line end
        std::string Text;   // decoded
    };
    // A section header and the lines up to the next one; the lines before
    // the first header form a section without a header. Only the first
    // section of a name has its keys indexed: it is the one that counts,
    // and in it the first line of a key.
    struct Section {
        std::optional<Line> Header;
        std::vector<Line> Lines;
        NameIndex Keys;       // key -> line
        std::size_t End = 0;  // after the last line that is not blank
    };
    const Line* FindLine(const std::string& section, const std::string& key) const;
    Line MakeLine(const std::string& text);
    // Makes every line UTF-8, as its text reads.
    void SwitchToUtf8();

    std::string fileName_;
    bool exists_ = false;
    std::vector<Section> sections_;
    NameIndex sectionIndex_;
    std::optional<std::string> unencodable_;
    bool utf8_ = false;
};

// Equal but for the case of ASCII letters.
bool SameText(std::string_view a, std::string_view b);
