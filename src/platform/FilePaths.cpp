#include "platform/FilePaths.h"

std::string FileExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot);
}

std::string WithoutExtension(const std::string& path) {
    return path.substr(0, path.size() - FileExtension(path).size());
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FileTitle(const std::string& path) {
    return WithoutExtension(FileNameOf(path));
}
