#pragma once

#include <string>

// Writes bytes to a file through a temporary file beside it that is renamed
// over it, so a failed write leaves an existing file as it was. Raises
// "ﾌｧｲﾙ %s を作成できません" when the file cannot be written.
void WriteFileAtomically(const std::string& path, const std::string& bytes);
