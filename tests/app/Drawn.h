#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "platform/MessageSink.h"

// A main window with a file read and its rows built.
struct Drawn {
    TestDir dir;
    TfMain main;
    RecordingMessageSink sink;
    ScopedMessageSink scope{sink};
    explicit Drawn(const std::string& content, bool title = false) {
        main.DataOpen.FileName = dir.Write("d.txt", content);
        main.DataOpen.DivMark = " ";
        main.DataOpen.ReadTitle = title;
        EXPECT_TRUE(main.DataOpen.ReadData());
        main.FillDataGrid();
    }
};

inline const char* kLinear = "0 0 50\n25 40 60\n50 80 70\n100 100 80\n";

inline std::vector<std::string> Captions(const std::vector<std::unique_ptr<TMathLabel>>& labels) {
    std::vector<std::string> out;
    for (const auto& l : labels) out.push_back(l->Visible ? l->Caption() : "(hidden)");
    return out;
}
