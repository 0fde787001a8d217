#include "platform/MessageSink.h"

#include <cstdio>

namespace {

StderrMessageSink& DefaultSink() {
    static StderrMessageSink sink;
    return sink;
}

MessageSink* g_sink = nullptr;

}  // namespace

void StderrMessageSink::ShowMessage(const std::string& text) {
    std::fprintf(stderr, "%s%s\n", Prefix.c_str(), text.c_str());
    std::fflush(stderr);
}

MessageSink& CurrentMessageSink() {
    return g_sink ? *g_sink : DefaultSink();
}

void SetMessageSink(MessageSink* sink) {
    g_sink = sink;
}

void ShowMessage(const std::string& text) {
    CurrentMessageSink().ShowMessage(text);
}

void ShowNotice(const std::string& text) {
    CurrentMessageSink().ShowNotice(text);
}

ScopedMessageSink::ScopedMessageSink(MessageSink& sink) : previous_(g_sink) {
    g_sink = &sink;
}

ScopedMessageSink::~ScopedMessageSink() {
    g_sink = previous_;
}
