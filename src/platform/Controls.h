#pragma once

#include <string>

// The state of the simple controls the core keeps for a window: what the
// widgets show and what the configuration files find by name.

struct TCheckBox {
    std::string Name;
    std::string Caption;
    bool Checked = false;
    int Tag = 0;
    int Left = 0;
    int Top = 0;
    int Width = 97;
    int Height = 17;
    bool Visible = true;
};

struct TEdit {
    std::string Name;
    std::string Text;
    int Tag = 0;
    int Left = 0;
    int Top = 0;
    int Width = 80;
    int Height = 20;
    bool Visible = true;
};
