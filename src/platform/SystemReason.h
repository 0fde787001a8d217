#pragma once

#include <string>

// Why the system refused a file operation, as a message says it: the error
// number of the call in a few Japanese words.
std::string SystemReason(int error);

// A text followed by the system's reason in parentheses.
std::string WithReason(const std::string& text, int error);
