#pragma once

#include <cstdint>

// The bytes of memory the kernel counts as available without swapping.
std::uint64_t AvailableSystemMemory();
