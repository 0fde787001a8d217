#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/widgets/QtDesktop.h"

namespace {

// The PNG question: the resolution typed, the background ticked, OK; a
// resolution beyond the range is said and asked again; Esc cancels.
TEST(QtDesktop, AsksAPngsResolutionAndBackground) {
    QWidget parent;
    QtDesktop desktop(&parent);
    std::vector<std::string> warnings;
    int step = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            warnings.push_back(box->text().toStdString());
            box->accept();
            return;
        }
        if (!modal || modal->objectName() != "PngOptionsDialog") return;
        auto* dpi = modal->findChild<QComboBox*>("Dpi");
        auto* buttons = modal->findChild<QDialogButtonBox*>();
        // Clicked after this tick: a warning's own loop must not run inside it.
        auto ok = [buttons] {
            QPushButton* button = buttons->button(QDialogButtonBox::Ok);
            QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
        };
        QLineEdit* edit = dpi->lineEdit();
        edit->selectAll();
        if (step == 0) {
            QTest::keyClicks(edit, "5000");  // the validator keeps "500"
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClick(edit, Qt::Key_Backspace);  // "5": too small
            ok();
            ++step;
        } else if (step == 1) {
            QTest::keyClicks(edit, "600");
            auto* transparent = modal->findChild<QCheckBox*>("Transparent");
            QTest::mouseClick(transparent, Qt::LeftButton, {},
                              QPoint(5, transparent->height() / 2));
            ok();
            ++step;
        } else {
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    answer.start(50);
    const std::optional<PngOptions> chosen = desktop.AskPngOptions(PngOptions{.Dpi = 96});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Dpi, 600);
    EXPECT_TRUE(chosen->Transparent);
    EXPECT_EQ(warnings, std::vector<std::string>{"解像度は 72 から 2400 までの整数です"});
    EXPECT_FALSE(desktop.AskPngOptions(*chosen));
    // The answer is the next run's start; a cancel keeps it.
    const PngOptions saved = SavedPngOptions();
    EXPECT_EQ(saved.Dpi, 600);
    EXPECT_TRUE(saved.Transparent);
}

}  // namespace
