#include "platform/PlainFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Opens without waiting and keeps the descriptor only for a plain file.
int OpenPlainFile(const std::string& path) {
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

bool IsReadablePlainFile(const std::string& path) {
    const int fd = OpenPlainFile(path);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}
