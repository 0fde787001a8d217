#pragma once

#include <functional>

// Runs one command the way every entry point does: an error raised inside
// is shown through the message sink and the command ends there. Returns
// false when the command ended by an error.
bool RunCommand(const std::function<void()>& command);
