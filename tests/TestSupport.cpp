#include "TestSupport.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/TimeText.h"

TestDir::TestDir() : dir_(QDir::tempPath() + "/kurvo-test-XXXXXX") {}

std::string TestDir::Root() const {
    return dir_.path().toStdString();
}

std::string TestDir::Path(const std::string& name) const {
    return Root() + "/" + name;
}

std::string TestDir::Write(const std::string& name, std::string_view bytes) const {
    const std::string path = Path(name);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string TestDir::MakeFifo(const std::string& name) const {
    const std::string path = Path(name);
    ::mkfifo(path.c_str(), 0600);
    return path;
}

ScopedTimeZone::ScopedTimeZone(const char* tz) {
    const char* old = std::getenv("TZ");
    hadTz_ = old != nullptr;
    if (old) savedTz_ = old;
    setenv("TZ", tz, 1);
    ForgetLocalOffsets();
}

ScopedTimeZone::~ScopedTimeZone() {
    if (hadTz_)
        setenv("TZ", savedTz_.c_str(), 1);
    else
        unsetenv("TZ");
    ForgetLocalOffsets();
}
