#pragma once

#include <optional>
#include <string>

#include "platform/Colors.h"

// Colours in configuration files: one of the 42 names, or "0x%.8x".
std::string ColorToText(TColor color);
// A name in any case, or an integer; nothing when the text is neither.
std::optional<TColor> ColorFromName(const std::string& text);
