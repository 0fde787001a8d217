#pragma once

// The main window shown, with a data file read through its open command.
#include <string>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "app/widgets/TfMainWindow.h"
#include "platform/MessageSink.h"

struct ShownWindow {
    TestDir dir;
    FakeDesktop desktop;
    RecordingMessageSink sink;
    ScopedMessageSink scope{sink};
    TfMain state;
    TfMainWindow window{state};
    explicit ShownWindow(const std::string& data) {
        desktop.file = dir.Write("a.txt", data);
        window.SetDesktop(&desktop);
        window.menuDataOpenClick();
        window.show();
    }
};
