#pragma once

#include <QTemporaryDir>
#include <string>
#include <string_view>

// A folder of its own for one test, removed afterwards.
class TestDir {
  public:
    TestDir();
    // Writes bytes to a file in the folder and returns its path.
    std::string Write(const std::string& name, std::string_view bytes) const;
    std::string Path(const std::string& name) const;
    // A named pipe without a writer: opening it for reading would wait.
    std::string MakeFifo(const std::string& name) const;
    std::string Root() const;

  private:
    QTemporaryDir dir_;
};

std::string ReadWholeFile(const std::string& path);

// Local time set to a zone (TZ syntax, "JST-9") for one test, and back.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* tz);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    bool hadTz_ = false;
    std::string savedTz_;
};

// The kinds print by their names in failure messages.
#include <ostream>

#include "plot/PlotNames.h"
inline std::ostream& operator<<(std::ostream& out, AxisKind kind) {
    return out << NameOf(kind);
}
inline std::ostream& operator<<(std::ostream& out, CurveMethod method) {
    return out << NameOf(method);
}
inline std::ostream& operator<<(std::ostream& out, MarkKind mark) {
    return out << NameOf(mark);
}

// The desktop's dialogs answered at once: the open dialog names `file`,
// the options form reads it as proposed, saving and questions say no.
#include <optional>

#include "app/Desktop.h"
class FakeDesktop : public Desktop {
  public:
    std::string file;
    std::optional<OpenFileResult> OpenFile(const OpenFileRequest&) override {
        return OpenFileResult{{file}, 2};
    }
    std::optional<SaveFileResult> SaveFile(const SaveFileRequest&) override { return std::nullopt; }
    bool Confirm(const std::string&) override { return false; }
    // The answer to AskText: none is a cancel.
    std::optional<std::string> text;
    std::optional<std::string> AskText(const std::string&, const std::string&) override {
        return text;
    }
    DataOpenChoice ShowDataOpenForm(const std::vector<std::string>&,
                                    const DataOpenChoice&) override {
        DataOpenChoice c;
        c.Accepted = true;
        return c;
    }
};
