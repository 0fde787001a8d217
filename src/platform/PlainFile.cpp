#include "platform/PlainFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/FormatText.h"
#include "platform/SystemReason.h"

namespace {

constexpr const char* kUnreadableText = "ﾌｧｲﾙ %s を読めません";
constexpr const char* kFolderText = "%s はﾌｫﾙﾀﾞです";
constexpr const char* kNotPlainText = "%s は通常のﾌｧｲﾙではありません";

// /dev/stdin and /proc/self/fd/0 name whatever the process was given,
// a plain file included, and a graph "beside" them would go into /dev:
// a path that is, or whose links lead, into /proc, /dev/fd or /dev/std*
// is no data file. (/dev/shm holds real files.)
bool IsProcessStream(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        if (path.empty()) return false;
        if (path[0] != '/') {
            char cwd[4096];
            if (!::getcwd(cwd, sizeof cwd)) return false;
            path = std::string(cwd) + "/" + path;
        }
        for (const char* stream : {"/proc/", "/dev/fd/", "/dev/std"})
            if (path.rfind(stream, 0) == 0) return true;
        char target[4096];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
        if (n <= 0) return false;
        const std::string link(target, std::size_t(n));
        path = link[0] == '/' ? link : path.substr(0, path.find_last_of('/') + 1) + link;
    }
    return false;
}

// Opens without waiting and keeps the descriptor only for a plain file.
int OpenPlainFile(const std::string& path) {
    if (IsProcessStream(path)) return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

PlainFileReader::PlainFileReader(const std::string& path) : fd_(OpenPlainFile(path)) {}

PlainFileReader::~PlainFileReader() {
    if (fd_ >= 0) ::close(fd_);
}

std::uint64_t PlainFileReader::Size() const {
    struct stat st {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 ? std::uint64_t(std::max<off_t>(st.st_size, 0)) : 0;
}

std::int64_t PlainFileReader::ReadAt(std::uint64_t offset, char* buffer, std::size_t n) const {
    std::size_t have = 0;
    while (have < n) {
        const ssize_t got = ::pread(fd_, buffer + have, n - have, off_t(offset + have));
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        have += std::size_t(got);
    }
    return std::int64_t(have);
}

std::optional<std::string> ReadPlainFile(const std::string& path, std::size_t limit) {
    const int fd = OpenPlainFile(path);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    ::fstat(fd, &st);
    std::string bytes;
    bytes.resize(std::min<std::size_t>(std::size_t(std::max<off_t>(st.st_size, 0)), limit));
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (bytes.size() >= limit) break;
            // The size the file had is read: ask for more in a small buffer
            // first, so that a file of the size it said (nearly always) is
            // not held in a buffer twice its size.
            char more[65536];
            const ssize_t n = ::read(fd, more, std::min(sizeof more, limit - bytes.size()));
            if (n < 0) {
                ::close(fd);
                return std::nullopt;
            }
            if (n == 0) break;
            bytes.append(more, std::size_t(n));
            have = bytes.size();
            continue;
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

std::string ReadRefusalText(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? kNoFileText
                               : WithReason(FormatText(kUnreadableText, {path}), errno);
    if (S_ISDIR(st.st_mode)) return FormatText(kFolderText, {path});
    if (!S_ISREG(st.st_mode) || IsProcessStream(path)) return FormatText(kNotPlainText, {path});
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return WithReason(FormatText(kUnreadableText, {path}), errno);
    ::close(fd);
    return WithReason(FormatText(kUnreadableText, {path}), EIO);
}

bool IsReadablePlainFile(const std::string& path) {
    const int fd = OpenPlainFile(path);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}
