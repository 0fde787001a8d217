#pragma once

#include <string>

// The part of a path from the last "." of its file name, "" when none;
// the leading dot of a hidden name (".run") is no extension.
std::string FileExtension(const std::string& path);
// The path without that part.
std::string WithoutExtension(const std::string& path);
// The file name without its folder.
std::string FileNameOf(const std::string& path);
// The file name without folder and extension.
std::string FileTitle(const std::string& path);
