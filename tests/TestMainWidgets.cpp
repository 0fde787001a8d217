#include <gtest/gtest.h>
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kurvo");
    QApplication::setOrganizationName("Kurvo");
    // Settings (the recent files) go to a folder of this process alone:
    // never the user's, and not shared with tests running beside it.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings().clear();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
