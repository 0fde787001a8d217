#pragma once

#include <QFont>
#include <QString>
#include <optional>

#include "graph/SettingsRecords.h"

class QWidget;

// Qt's font dialog for the program's fonts, shared by the graph window, the
// label editor and the font settings. The dialog shows the installed
// substitute of a face; the face name the user gave is kept while the
// family chosen is that substitute.
QFont ToDialogFont(const FontSetting& font);
FontSetting FromDialogFont(const QFont& font, const FontSetting& base);

std::optional<FontSetting> ChooseFontSetting(QWidget* parent, const FontSetting& start,
                                             const QString& title);
std::optional<TLogFont> ChooseLogFont(QWidget* parent, const TLogFont& start, const QString& title);
