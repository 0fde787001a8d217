#pragma once

#include <string>

#include "platform/Picture.h"

// The picture as a 24-bit bitmap of its size, white first.
std::string BmpBytes(const Picture& picture);
