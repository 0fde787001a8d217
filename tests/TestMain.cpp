#include <gtest/gtest.h>
#include <QGuiApplication>

// Core tests run the real code headless, as kurvo-batch does.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
