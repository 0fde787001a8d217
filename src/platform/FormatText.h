#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Replaces each %s and %d of the pattern in turn with the next argument.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);
