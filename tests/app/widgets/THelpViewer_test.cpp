#include "app/widgets/TfMainWindow.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QtTest/QTest>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "app/widgets/BoxMessageSink.h"
#include "app/widgets/QtDesktop.h"
#include "app/widgets/QtTranslation.h"
#include "app/widgets/TFver.h"
#include "app/widgets/THelpViewer.h"
#include "data/widgets/TDataOpen.h"
#include "platform/MessageSink.h"

namespace {

TEST(QtDesktop, FiltersBecomeQtNameFilters) {
    EXPECT_EQ(ToQtNameFilters(TfMain::kDataFilter),
              QStringList({"ﾃﾞｰﾀﾌｧｲﾙ (*.dat *.txt *.csv *.tsv *.prn)", "ﾃｷｽﾄ (*.txt)",
                           "ﾃﾞｰﾀ (*.dat)", "設定ﾌｧｲﾙ(*.kvc)", "全てのﾌｧｲﾙ (*.*)"}));
    EXPECT_EQ(ToQtNameFilters("画像|*.emf;*.wmf"), QStringList({"画像(*.emf *.wmf)"}));
}

TEST(TFver, ShowsTheNameVersionAndOk) {
    TFver about;
    EXPECT_EQ(about.findChild<QLabel*>("Version")->text().toStdString(),
              (std::string("ver") + KURVO_VERSION));
    EXPECT_NE(about.findChild<QWidget*>("ProductName"), nullptr);
    EXPECT_FALSE(about.findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
}

TEST(THelpViewer, ContentsKeywordsAndTheBatchTopic) {
    THelpViewer help;
    EXPECT_GE(help.Contents->count(), 7);
    EXPECT_GE(help.Keywords->count(), 20);
    EXPECT_EQ(THelpViewer::TopicPage(13).toStdString(), "batch.html");
    ASSERT_TRUE(help.ShowTopic(13));
    EXPECT_TRUE(help.Browser->toPlainText().contains("連続グラフ処理"));
    EXPECT_FALSE(help.ShowTopic(999));
    help.ShowKeywordSearch();
    help.KeywordEdit->setText("スプライン");
    int shown = 0;
    for (int i = 0; i < help.Keywords->count(); ++i) shown += !help.Keywords->item(i)->isHidden();
    EXPECT_EQ(shown, 1);
    // The half-width spelling of the menus finds the full-width keywords.
    help.KeywordEdit->setText("ﾃﾞｰﾀ");
    shown = 0;
    for (int i = 0; i < help.Keywords->count(); ++i) shown += !help.Keywords->item(i)->isHidden();
    EXPECT_GE(shown, 3);
    help.ShowContents();
    EXPECT_TRUE(help.Browser->toPlainText().contains("Kurvo"));
    // The full-text search finds every page that holds all the words.
    struct Search {
        const char* query;
        std::vector<std::string> pages;
    } searches[] = {
        {"LOG", {"plot.html", "data.html", "graph.html"}},
        {"log 対数軸", {"graph.html", "plot.html"}},
        {"ｷｬﾝﾊﾞｽ emf", {"export.html", "batch.html"}},
        {"xyzzy", {}},
        {"  ", {}},
    };
    for (const Search& search : searches) {
        std::vector<std::string> pages;
        for (const auto& [title, page] : THelpViewer::SearchPages(search.query))
            pages.push_back(page.toStdString());
        EXPECT_EQ(pages, search.pages) << search.query;
    }
    help.Tabs->setCurrentIndex(2);
    help.SearchEdit->setText("スプライン");
    ASSERT_GT(help.SearchResults->count(), 0);
    QTest::mouseClick(help.SearchResults->viewport(), Qt::LeftButton, {},
                      help.SearchResults->visualItemRect(help.SearchResults->item(0)).center());
    EXPECT_EQ(help.Browser->textCursor().selectedText().toStdString(), "スプライン");
    // Esc closes the help window.
    help.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

// Help opened from a modal form (the batch form's ﾍﾙﾌﾟ) takes clicks.
TEST(THelpViewer, UsableWhileAModalFormIsOpen) {
    QDialog form;
    form.setModal(true);
    form.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &form);
    THelpViewer help;
    ASSERT_TRUE(help.ShowTopic(13));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    // Through the window, as the window system delivers a click, so that
    // a blocked window would not get it.
    const QRect item = help.Contents->visualItemRect(help.Contents->item(1));
    const QPoint inWindow = help.Contents->viewport()->mapTo(&help, item.center());
    QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {}, inWindow);
    EXPECT_EQ(help.Browser->source().fileName().toStdString(), "data.html");
    form.close();
    help.close();
}

}  // namespace
