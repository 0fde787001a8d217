#include "data/widgets/TDataOpen.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest/QTest>

#include <algorithm>
#include <vector>

namespace {

TEST(TDataOpen, DesignedControlsAndDefaults) {
    TDataOpen form;
    EXPECT_EQ(form.windowTitle().toStdString(), "ﾃﾞｰﾀを開く");
    EXPECT_EQ(form.size(), QSize(330, 240));
    EXPECT_EQ(form.GroupBox1->title().toStdString(), "ﾃﾞｰﾀの区切り");
    EXPECT_TRUE(form.SpRadio->isChecked());
    EXPECT_FALSE(form.CmRadio->isChecked());
    EXPECT_EQ(form.StepEdit->text().toStdString(), "0");
    EXPECT_TRUE(form.StepEdit->isEnabled());
    EXPECT_FALSE(form.StepCheck->isChecked());
    EXPECT_EQ(form.StepCheck->text().toStdString(), "途中から読む");
    EXPECT_EQ(form.RtitleCheck->text().toStdString(), "ﾀｲﾄﾙを読む");
    EXPECT_EQ(form.Preview->toPlainText().toStdString(), "Preview");
    EXPECT_EQ(form.Preview->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(form.Preview->geometry(), QRect(144, 24, 177, 177));
    EXPECT_EQ(form.BitBtn1->geometry(), QRect(144, 208, 81, 25));
    EXPECT_EQ(form.BitBtn2->geometry(), QRect(232, 208, 81, 25));
}

TEST(TDataOpen, TabOrder) {
    TDataOpen form;
    const QWidget* expected[] = {form.RtitleCheck, form.CmRadio,      form.SpRadio,  form.TabRadio,
                                 form.ScRadio,     form.DecimalCheck, form.StepEdit, form.StepCheck,
                                 form.Preview,     form.BitBtn1,      form.BitBtn2};
    // The controls in the order the focus chain reaches them.
    std::vector<const QWidget*> order;
    const QWidget* w = expected[0];
    do {
        if (std::find(std::begin(expected), std::end(expected), w) != std::end(expected))
            order.push_back(w);
        w = w->nextInFocusChain();
    } while (w != expected[0]);
    EXPECT_EQ(order, std::vector<const QWidget*>(std::begin(expected), std::end(expected)));
}

TEST(TDataOpen, StepCheckEnablesTheStartLine) {
    TDataOpen form;
    form.StepCheck->click();
    EXPECT_TRUE(form.StepEdit->isEnabled());
    form.StepCheck->click();
    EXPECT_FALSE(form.StepEdit->isEnabled());
    form.StepEdit->setText("5");
    form.CmRadio->click();
    form.RtitleCheck->click();
    const DataOpenChoice choice = form.Choice();
    EXPECT_EQ(choice.Delimiter, DataDelimiter::Comma);
    EXPECT_TRUE(choice.ReadTitle);
    EXPECT_FALSE(choice.Step);
    EXPECT_EQ(choice.StepText, "5");
}

// The decimal comma goes with every delimiter but the comma; a proposed
// choice is what the form shows.
TEST(TDataOpen, TheDecimalCommaIsNotOfferedWithTheComma) {
    TDataOpen form;
    form.SetChoice({.Delimiter = DataDelimiter::Semicolon, .DecimalComma = true});
    EXPECT_TRUE(form.ScRadio->isChecked());
    EXPECT_TRUE(form.DecimalCheck->isChecked());
    EXPECT_TRUE(form.Choice().DecimalComma);
    form.CmRadio->click();
    EXPECT_FALSE(form.DecimalCheck->isEnabled());
    EXPECT_FALSE(form.Choice().DecimalComma);
    form.TabRadio->click();
    EXPECT_TRUE(form.DecimalCheck->isEnabled());
    EXPECT_EQ(form.Choice().Delimiter, DataDelimiter::Tab);
    EXPECT_TRUE(form.Choice().DecimalComma);
}

TEST(TDataOpen, OkAndCancelCloseTheForm) {
    for (bool ok : {true, false}) {
        TDataOpen form;
        form.SetPreview({"a 1", "表 2"});
        EXPECT_EQ(form.Preview->toPlainText().toStdString(), "a 1\n表 2");
        QTimer::singleShot(0, &form, [&] { (ok ? form.BitBtn1 : form.BitBtn2)->click(); });
        form.exec();
        EXPECT_EQ(form.Choice().Accepted, ok);
    }
}

// Keys move through the form as its tab order says; the preview keeps
// neither Tab nor Enter.
TEST(TDataOpen, TabLeavesThePreviewAndEnterConfirms) {
    TDataOpen form;
    form.SetPreview({"1 2", "3 4"});
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Preview->setFocus();
    QTest::keyClick(form.Preview, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.BitBtn1);
    form.Preview->setFocus();
    QTest::keyClick(form.Preview, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), form.StepCheck);
    form.Preview->setFocus();
    QTest::keyClick(form.Preview, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Preview->toPlainText().toStdString(), "1 2\n3 4");
}

}  // namespace
