#include "platform/RaisedError.h"

void Raise(const std::string& text) {
    throw RaisedError(text);
}
