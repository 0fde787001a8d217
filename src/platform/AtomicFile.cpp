#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/FormatText.h"
#include "platform/SystemReason.h"

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions a new file gets, or the old file's own.
mode_t ModeFor(const std::string& path) {
    struct stat old {};
    if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileSet::FileSet(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) Add(path);
}

void FileSet::Add(const std::string& path) {
    struct stat file {};
    // A file that is not there cannot be replaced by a write.
    if (::stat(path.c_str(), &file) == 0)
        files_.emplace(std::pair<std::uint64_t, std::uint64_t>(file.st_dev, file.st_ino), path);
}

const std::string* FileSet::Find(std::uint64_t device, std::uint64_t inode) const {
    const auto found = files_.find({device, inode});
    return found == files_.end() ? nullptr : &found->second;
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

std::optional<std::string> WriteRefusal(const std::string& path, const FileSet& keep) {
    struct stat entry {};
    // A new name, or one the write itself will report on.
    if (::lstat(path.c_str(), &entry) != 0) return std::nullopt;
    if (S_ISDIR(entry.st_mode)) return FormatText(kFolderTargetText, {path});
    if (!S_ISREG(entry.st_mode) && !S_ISLNK(entry.st_mode))
        return FormatText(kNotPlainTargetText, {path});
    struct stat target = entry;
    if (S_ISLNK(entry.st_mode) && ::stat(path.c_str(), &target) != 0) return std::nullopt;
    if (const std::string* kept = keep.Find(target.st_dev, target.st_ino))
        return *kept == path ? FormatText(kDataTargetText, {path})
                             : FormatText(kLinkedDataTargetText, {path, *kept});
    return std::nullopt;
}

void WriteFileAtomically(const std::string& path, const std::string& bytes,
                         const WriteRules& rules) {
    if (const auto refusal = WriteRefusal(path, rules.Keep)) Raise(*refusal);
    auto fail = [&](int error) { Raise(WithReason(FormatText(rules.FailureText, {path}), error)); };
    // A short name of its own in the same folder, made with O_EXCL so that
    // nothing planted there is written through.
    std::string temporary = FolderOf(path) + "/.kurvo-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) fail(errno);
    const bool written =
        ::fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    const int closeError = errno;
    if (!written || !closed) {
        ::unlink(temporary.c_str());
        fail(!written ? writeError : closeError);
    }
    // rename replaces the name itself: a link there is replaced, not the
    // file it points to.
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(error);
    }
}
