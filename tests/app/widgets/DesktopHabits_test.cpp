// The main window as a desktop program: the keys a text box keeps and the
// menus' keys in text boxes, pasting data into the grid, the title,
// quitting and the windows' places.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QSettings>
#include <QTableView>
#include <QtTest/QTest>
#include <memory>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "app/widgets/TfMainWindow.h"
#include "platform/MessageSink.h"

namespace {

// The title names the data file; Ctrl+Q asks before changed settings are
// lost, and a saved configuration is no change; the windows' places are
// kept for the next run.
TEST(TfMainWindow, TitleQuittingAndWindowPlaces) {
    TestDir dir;
    FakeDesktop desktop;
    desktop.file = dir.Write("wave.dat", "1 2 3\n3 4 5\n");
    TfMain state;
    auto window = std::make_unique<TfMainWindow>(state);
    window->SetDesktop(&desktop);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(window->windowTitle().toStdString(), "Kurvo");
    window->menuDataOpenClick();
    EXPECT_EQ(window->windowTitle().toStdString(), "wave.dat - Kurvo");
    EXPECT_FALSE(state.HasUnsavedSettings());
    state.LineCheckClick(2, false);
    // The answer is no: the window stays.
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(state.WriteConfigFile(dir.Path("look.kvc")));
    state.UndoStack.setClean();
    window->move(123, 45);
    window->resize(330, 480);
    QApplication::processEvents();
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    TfMain next;
    TfMainWindow again(next);
    EXPECT_EQ(again.size(), QSize(330, 480));
    QSettings().remove("Window");
}

// What a spreadsheet copies, pasted into the grid, is read as a file.
TEST(TfMainWindow, CtrlVInTheGridReadsTheClipboard) {
    FakeDesktop desktop;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TfMain state;
    TfMainWindow window(state);
    window.SetDesktop(&desktop);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.DataG->setFocus();
    QApplication::clipboard()->setText(" \n");
    QTest::keyClick(window.DataG, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(sink.Texts, std::vector<std::string>{TfMain::kEmptyClipboardText});
    EXPECT_FALSE(state.DataRead());
    QApplication::clipboard()->setText("1\t2.5\r\n3\t5\r\n");
    QTest::keyClick(window.DataG, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(state.DataRead());
    EXPECT_EQ(state.DataG().Cell(2, 1), "2.5");
    EXPECT_EQ(state.DataG().Cell(1, 2), "3");
    EXPECT_EQ(window.windowTitle().toStdString(), "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ - Kurvo");
    // The work file is no recent file.
    for (const std::string& recent : state.RecentData.Items())
        EXPECT_EQ(recent.find("kurvo-clipboard"), std::string::npos) << recent;
}

// What a line edit does with Ctrl+U and Ctrl+D under X11's key bindings:
// it claims the keys before any shortcut and deletes. The offscreen
// platform has no such bindings, so the test gives the line edit them.
class X11LineEditKeys : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() != Qt::ControlModifier ||
            (key->key() != Qt::Key_U && key->key() != Qt::Key_D))
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        auto* edit = static_cast<QLineEdit*>(watched);
        edit->clear();
        emit edit->textEdited(edit->text());
        return true;
    }
};

// The menus' shortcuts reach the menu also from a text box, which would
// take Ctrl+U as "delete the line" and Ctrl+D as "delete a character".
TEST(TfMainWindow, MenuShortcutsWorkInTheLegendTextBoxes) {
    TestDir dir;
    FakeDesktop desktop;
    desktop.file = dir.Write("two.txt", "1 2 3\n3 4 5\n");
    TfMain state;
    TfMainWindow window(state);
    window.SetDesktop(&desktop);
    window.menuDataOpenClick();
    window.PageControl->setCurrentWidget(window.LineSheet);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* edit = window.LineSheetContents->findChild<QLineEdit*>("LineEdit1");
    X11LineEditKeys x11;
    edit->installEventFilter(&x11);
    edit->setFocus();
    struct Case {
        Qt::Key key;
        int start, length;
        const char* text;
    } cases[] = {
        {Qt::Key_U, 4, 1, "DATA^2@"},
        {Qt::Key_D, 0, 1, "_D@ATA^2@"},
    };
    for (const Case& c : cases) {
        edit->setSelection(c.start, c.length);
        QTest::keyClick(edit, c.key, Qt::ControlModifier);
        EXPECT_EQ(edit->text().toStdString(), c.text);
        EXPECT_EQ(state.Series(1).LegendText, c.text);
    }
    // With a graph to copy, Ctrl+C in a text box with a selection copies
    // the text, and Ctrl+V pastes it.
    window.PlotButtonClick();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(window.Item("menuGraphCopy")->isEnabled());
    edit->setFocus();
    edit->setSelection(3, 3);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "ATA");
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(state.Series(1).LegendText, "_D@ATA^2@ATA");
}

}  // namespace
