#include "app/RecentFiles.h"

#include <algorithm>
#include <filesystem>

namespace {

// One name for one file, whichever way it was given.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

void RecentFiles::Add(const std::string& path) {
    if (path.empty()) return;
    const std::string file = Absolute(path);
    items_.erase(std::remove(items_.begin(), items_.end(), file), items_.end());
    items_.insert(items_.begin(), file);
    if (items_.size() > kMax) items_.resize(kMax);
}

void RecentFiles::Restore(const std::vector<std::string>& paths) {
    items_.clear();
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) Add(*it);
}
