#pragma once

#include <string>

#include "platform/Picture.h"

// Writes bytes to a file through a temporary file beside it that is renamed
// over it, so a failed write leaves an existing file as it was. Raises
// "ﾌｧｲﾙ %s を作成できません" when the file cannot be written.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// The part of a path from the last "." of its file name, "" when none.
std::string FileExtension(const std::string& path);
// The path without that part.
std::string WithoutExtension(const std::string& path);

// The picture as a 24-bit bitmap of its size, white first.
std::string BmpBytes(const Picture& picture);
