#include <gtest/gtest.h>
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kurvo");
    QApplication::setOrganizationName("Kurvo");
    // Settings (the recent files) go to a test folder, never the user's,
    // and start empty.
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
