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
            bytes.resize(std::min(limit, std::max<std::size_t>(bytes.size() * 2, 65536)));
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
