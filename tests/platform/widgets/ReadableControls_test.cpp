#include "platform/widgets/ReadableControls.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTabWidget>

#include <functional>
#include <memory>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "app/widgets/QtDesktop.h"
#include "app/widgets/TfMainWindow.h"
#include "batch/widgets/TfSerial.h"
#include "data/widgets/TDataOpen.h"
#include "dialogs/widgets/TFontSetDialog.h"
#include "dialogs/widgets/TGraphSetDialog.h"
#include "dialogs/widgets/TPlotSetDialog.h"
#include "graph/widgets/TLabelForm.h"
#include "graph/widgets/TSampleSetDialog.h"

namespace {

// Every text of a form, measured with its font, fits where it stands: a
// label ends before the control to its right, a check box or a radio
// button holds its text beside its indicator, a group box's title starts
// inside the form.
void ExpectReadable(QWidget& form, const std::string& name) {
    for (const QLabel* label : form.findChildren<QLabel*>())
        EXPECT_GE(SpaceAfterLabel(*label), 2) << name << ": " << label->text().toStdString();
    for (const QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
        const bool check = qobject_cast<const QCheckBox*>(button) != nullptr;
        if (!check && !qobject_cast<const QRadioButton*>(button)) continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents = button->style()->subElementRect(
            check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button);
        EXPECT_GE(contents.width(), button->fontMetrics().horizontalAdvance(button->text()))
            << name << ": " << button->objectName().toStdString() << " "
            << button->text().toStdString();
    }
    for (const QGroupBox* box : form.findChildren<QGroupBox*>()) {
        if (box->title().isEmpty()) continue;
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxLabel, box);
        EXPECT_GE(box->mapTo(&form, title.topLeft()).x(), 3)
            << name << ": " << box->title().toStdString();
    }
}

struct Loaded {
    TestDir dir;
    TfMain main;
    Loaded() {
        std::string row;
        for (int c = 1; c <= 50; ++c) row += std::to_string(c) + (c < 50 ? " " : "\n");
        main.DataOpen.FileName = dir.Write("d.txt", row + row);
        main.DataOpen.DivMark = " ";
        EXPECT_TRUE(main.DataOpen.ReadData());
        main.FillDataGrid();
    }
};

TEST(ReadableControls, EveryFormShowsItsTextsWhole) {
    Loaded l;
    QtDesktop desktop(nullptr);
    TfMainWindow window(l.main);
    window.RebuildSeriesRows();
    ExpectReadable(*window.LineSheetContents, "plot page with 50 rows");
    TDataOpen open;
    ExpectReadable(open, "TDataOpen");
    TPlotSetDialog plot(l.main);
    ExpectReadable(plot, "TPlotSetDialog");
    TGraphSetDialog graph(l.main);
    ExpectReadable(graph, "TGraphSetDialog");
    TFontSetDialog fonts(l.main.Doc);
    ExpectReadable(fonts, "TFontSetDialog");
    TSampleSetDialog sample(l.main.Doc.Sample);
    ExpectReadable(sample, "TSampleSetDialog");
    TLabelForm label;
    ExpectReadable(label, "TLabelForm");
    BatchMemory memory;
    TfSerial serial(l.main, memory, desktop);
    ExpectReadable(serial, "TfSerial");
}

// The long curve methods show their start and end in the closed box, told
// apart; the mark box shows the mark's symbol, not its name.
TEST(ReadableControls, ClosedBoxesShowWhatTheyHold) {
    Loaded l;
    TPlotSetDialog dialog(l.main);
    dialog.show();
    auto* method = static_cast<ElidingLineEdit*>(dialog.Lhokan->lineEdit());
    QStringList shown;
    for (const CurveMethod kind :
         {CurveMethod::Min2Area, CurveMethod::SplineArea, CurveMethod::None}) {
        const char* hokan = NameOf(kind);
        dialog.Lhokan->setCurrentText(QString::fromUtf8(hokan));
        const QString text = method->DisplayText();
        EXPECT_LE(method->fontMetrics().horizontalAdvance(text), method->width()) << hokan;
        EXPECT_EQ(text.front(), QString::fromUtf8(hokan).front()) << hokan;
        EXPECT_EQ(text.back(), QString::fromUtf8(hokan).back()) << hokan;
        shown << text;
    }
    EXPECT_EQ(shown.removeDuplicates(), 0);
    EXPECT_EQ(shown.last().toStdString(), NameOf(CurveMethod::None));  // short names whole

    auto shot = [&](int index) {
        dialog.Mtype->setCurrentIndex(index);
        return dialog.Mtype->grab().toImage();
    };
    const QImage maru2 = shot(4), shikaku2 = shot(5), none = shot(0);
    EXPECT_NE(maru2, shikaku2);
    EXPECT_NE(maru2, none);
}

}  // namespace
