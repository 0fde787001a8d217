#include "batch/widgets/TfSerial.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest/QTest>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "platform/MessageSink.h"

namespace {

class OneFileDesktop : public Desktop {
  public:
    std::string file;
    std::optional<OpenFileResult> OpenFile(const OpenFileRequest&) override {
        return OpenFileResult{{file}, 2};
    }
    DataOpenChoice ShowDataOpenForm(const std::vector<std::string>&,
                                    const DataOpenChoice&) override {
        return {};
    }
    std::optional<SaveFileResult> SaveFile(const SaveFileRequest&) override { return std::nullopt; }
    bool Confirm(const std::string&) override { return false; }
};

TEST(TfSerial, PagesControlsAndARun) {
    TestDir dir;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    TfMain main;
    OneFileDesktop desktop;
    desktop.file = dir.Write("data1.txt", "1 2\n2 5\n3 4\n");
    BatchMemory memory;
    TfSerial form(main, memory, desktop);
    EXPECT_EQ(form.windowTitle().toStdString(), "Kurvo 連続 ｸﾞﾗﾌ処理");
    ASSERT_EQ(form.PageControl->count(), 3);
    EXPECT_EQ(form.PageControl->tabText(0).toStdString(), "ﾒｲﾝ");
    EXPECT_EQ(form.PageControl->tabText(1).toStdString(), "ﾃﾞｰﾀ");
    EXPECT_EQ(form.PageControl->tabText(2).toStdString(), "ｸﾞﾗﾌ");
    EXPECT_EQ(form.RadioSpace->text().toStdString(), "ｽﾍﾟｰｽ，ﾀﾌﾞ");
    EXPECT_TRUE(form.RadioSpace->isChecked());
    EXPECT_TRUE(form.FilenameToGraphTitle->isChecked());
    EXPECT_TRUE(form.GraphEmf->isChecked());
    EXPECT_EQ(form.GraphBmp->property("Tag").toInt(), 3);
    EXPECT_EQ(form.info->text().toStdString(), "設定はよろしいですか");
    EXPECT_EQ(form.Start->objectName().toStdString(), "Start");
    EXPECT_FALSE(form.Start->isEnabled());
    form.DataOpen->click();
    EXPECT_EQ(form.Filelist->count(), 1);
    EXPECT_EQ(form.Filelist->item(0)->text().toStdString(), "data1.txt");
    EXPECT_TRUE(form.Start->isEnabled());
    bool ran = false;
    form.Running = [&](bool running) { ran |= running; };
    form.Start->click();
    EXPECT_TRUE(ran);
    EXPECT_EQ(form.info->text().toStdString(), "終了");
    EXPECT_EQ(ReadWholeFile(dir.Path("data1.emf")).substr(40, 4), " EMF");
    EXPECT_EQ(main.Doc.Title.Main, "data1");
    // The formats after the first three.
    EXPECT_EQ(form.GraphPng->property("Tag").toInt(), 6);
    form.GraphPdf->click();
    form.Start->click();
    EXPECT_EQ(ReadWholeFile(dir.Path("data1.pdf")).substr(0, 5), "%PDF-");

    // The delimiter and the decimal comma are kept for the next form.
    form.RadioSemicolon->click();
    form.DecimalCommaCheck->click();
    form.Start->click();
    TfSerial next(main, memory, desktop);
    EXPECT_TRUE(next.RadioSemicolon->isChecked());
    EXPECT_TRUE(next.DecimalCommaCheck->isChecked());
    next.RadioCamma->click();
    EXPECT_FALSE(next.DecimalCommaCheck->isEnabled());
}

// Coming back to the form from another window shows its first page.
TEST(TfSerial, EachActivationShowsTheMainPage) {
    TfMain main;
    OneFileDesktop desktop;
    BatchMemory memory;
    TfSerial form(main, memory, desktop);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.PageControl->setCurrentIndex(2);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(form.PageControl->currentIndex(), 2);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.PageControl->currentIndex(), 0);
}

}  // namespace
