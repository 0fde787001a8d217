#pragma once

#include <unistd.h>
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/MessageSink.h"

// What every target needs: a headless Qt, a quiet message sink and a
// scratch file of its own.
class QuietSink : public MessageSink {
  public:
    void ShowMessage(const std::string&) override {}
};

inline void FuzzSetUp() {
    static bool done = false;
    if (done) return;
    done = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    static QuietSink sink;
    SetMessageSink(&sink);
}

// In memory where there is a tmpfs: the targets write files on every run,
// and saves are synced to disk.
inline std::string ScratchFile(const char* name) {
    static const std::string dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return dir + "/kurvo-fuzz-" + std::to_string(getpid()) + "-" + name;
}

inline void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

inline std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) std::abort();
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)
