#pragma once

class QCoreApplication;

// Qt's own dialogs (files, colours, fonts, standard buttons) in Japanese,
// from Debian's Qt translations. False, with a line on standard error,
// when they are not installed; the dialogs then stay in English.
bool InstallQtJapanese(QCoreApplication& app);
