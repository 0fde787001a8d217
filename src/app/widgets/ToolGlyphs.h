#pragma once

#include <QIcon>

// The tool bar's glyphs, drawn by the program: each with an enabled and a
// greyed disabled state.
enum class ToolGlyph { Open, SaveGraph, CopyGraph, Plot, ConfigRead, Serial, Help };

QIcon MakeToolIcon(ToolGlyph glyph);

// The program's icon: a small graph with a curve.
QIcon MakeProgramIcon();
QPixmap ProgramPixmap(int size);
