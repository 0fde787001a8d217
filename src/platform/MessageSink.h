#pragma once

#include <string>
#include <vector>

// Where the program's refusals go: a modal box in the desktop program, a
// line on standard error in command-line tools, a list in tests. A notice
// only informs (what was left out of a drawing and why); it is shown the
// same way unless a sink tells the two apart, as a batch run does to count
// its failures.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void ShowNotice(const std::string& text) { ShowMessage(text); }
};

class StderrMessageSink : public MessageSink {
  public:
    void ShowMessage(const std::string& text) override;
    // Put before every line, for example the file a batch run is on.
    std::string Prefix;
};

class RecordingMessageSink : public MessageSink {
  public:
    void ShowMessage(const std::string& text) override { Texts.push_back(text); }
    std::vector<std::string> Texts;
};

// The sink in use; standard error until the program installs another.
MessageSink& CurrentMessageSink();
void SetMessageSink(MessageSink* sink);

// Shows a message, or a notice, through the current sink.
void ShowMessage(const std::string& text);
void ShowNotice(const std::string& text);

// Installs a sink for the lifetime of the guard, then puts the old one back.
class ScopedMessageSink {
  public:
    explicit ScopedMessageSink(MessageSink& sink);
    ~ScopedMessageSink();
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

  private:
    MessageSink* previous_;
};
