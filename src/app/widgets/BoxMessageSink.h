#pragma once

#include "platform/MessageSink.h"

// Messages of the desktop program: a modal box with the text and OK.
class BoxMessageSink : public MessageSink {
  public:
    void ShowMessage(const std::string& text) override;
};
