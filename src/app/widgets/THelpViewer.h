#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

// The help window over the HTML pages that ship with the program: a
// contents list, a keyword index and the page of a topic number.
class THelpViewer : public QWidget {
    Q_OBJECT

  public:
    explicit THelpViewer(QWidget* parent = nullptr);

    void ShowContents();
    void ShowKeywordSearch();
    // Shows the page of a help context number; false when none has it.
    bool ShowTopic(int context);

    // The page address a context number opens, empty when there is none.
    static QString TopicPage(int context);

    QTabWidget* Tabs;
    QListWidget* Contents;
    QLineEdit* KeywordEdit;
    QListWidget* Keywords;
    // 全文検索: the pages whose text holds every word typed, most hits
    // first.
    QLineEdit* SearchEdit;
    QListWidget* SearchResults;
    // The contents' titles of the pages that hold every word of `query`
    // (blanks between words; case and full or half width alike), with
    // their pages, most hits first.
    static QList<QPair<QString, QString>> SearchPages(const QString& query);
    QTextBrowser* Browser;

  private:
    void LoadContents();
    void LoadKeywords();
    void FilterKeywords(const QString& typed);
    void Search(const QString& typed);
    void Open(const QString& page);
    void Present();
};

// The one help window of the program, made on first use.
THelpViewer& HelpViewer();
