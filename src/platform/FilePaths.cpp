#include "platform/FilePaths.h"

std::string FileExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    // The dot that starts a hidden name (".run") is part of the name.
    if (dot == std::string::npos || dot <= nameStart) return "";
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
