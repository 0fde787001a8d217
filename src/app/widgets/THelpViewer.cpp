#include "app/widgets/THelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

// The help pages are compiled into a static library; their resource must
// be registered by hand.
static void InitHelpResource() {
    Q_INIT_RESOURCE(help);
}

namespace {

constexpr const char* kHelpRoot = "qrc:/help/";

// Lines "text<TAB>page" of a help resource file.
QList<QPair<QString, QString>> ReadPairs(const QString& resource) {
    QList<QPair<QString, QString>> pairs;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return pairs;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0) pairs.append({line.left(tab), line.mid(tab + 1).trimmed()});
    }
    return pairs;
}

}  // namespace

THelpViewer::THelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    InitHelpResource();
    setObjectName("HelpViewer");
    setWindowTitle("Kurvo ﾍﾙﾌﾟ");
    resize(640, 460);

    Tabs = new QTabWidget;
    Tabs->setObjectName("HelpTabs");
    Contents = new QListWidget;
    Contents->setObjectName("HelpContents");
    Tabs->addTab(Contents, "目次");

    // A page of a box to type into over the list it filters.
    auto finder = [this](const char* name, const char* hint, const char* title, QLineEdit*& edit,
                         QListWidget*& list) {
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(2, 2, 2, 2);
        edit = new QLineEdit;
        edit->setObjectName(QString("Help%1Edit").arg(name));
        edit->setPlaceholderText(hint);
        list = new QListWidget;
        layout->addWidget(edit);
        layout->addWidget(list);
        Tabs->addTab(page, title);
    };
    finder("Keyword", "ｷｰﾜｰﾄﾞを入力", "ｷｰﾜｰﾄﾞ", KeywordEdit, Keywords);
    Keywords->setObjectName("HelpKeywords");
    finder("Search", "探す言葉を入力", "全文検索", SearchEdit, SearchResults);
    SearchResults->setObjectName("HelpSearchResults");
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    Browser = new QTextBrowser;
    Browser->setObjectName("HelpBrowser");
    Browser->setOpenLinks(true);

    auto* splitter = new QSplitter;
    splitter->addWidget(Tabs);
    splitter->addWidget(Browser);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    LoadContents();
    LoadKeywords();
    connect(Contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Open(item->data(Qt::UserRole).toString()); });
    connect(Contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Open(item->data(Qt::UserRole).toString()); });
    connect(Keywords, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Open(item->data(Qt::UserRole).toString()); });
    connect(Keywords, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Open(item->data(Qt::UserRole).toString()); });
    connect(KeywordEdit, &QLineEdit::textChanged, this, &THelpViewer::FilterKeywords);
    connect(SearchEdit, &QLineEdit::textChanged, this, &THelpViewer::Search);
    auto openFound = [this](QListWidgetItem* item) {
        Open(item->data(Qt::UserRole).toString());
        // The first place of the first word, marked.
        const QString first = SearchEdit->text().simplified().section(' ', 0, 0);
        if (!first.isEmpty()) Browser->find(first);
    };
    connect(SearchResults, &QListWidget::itemActivated, this, openFound);
    connect(SearchResults, &QListWidget::itemClicked, this, openFound);
    connect(KeywordEdit, &QLineEdit::returnPressed, this, [this] {
        for (int i = 0; i < Keywords->count(); ++i)
            if (!Keywords->item(i)->isHidden()) {
                Open(Keywords->item(i)->data(Qt::UserRole).toString());
                return;
            }
    });
}

void THelpViewer::LoadContents() {
    for (const auto& [title, page] : ReadPairs(":/help/contents.txt")) {
        auto* item = new QListWidgetItem(title, Contents);
        item->setData(Qt::UserRole, page);
    }
}

void THelpViewer::LoadKeywords() {
    auto pairs = ReadPairs(":/help/keywords.txt");
    std::sort(pairs.begin(), pairs.end(),
              [](const auto& a, const auto& b) { return a.first.localeAwareCompare(b.first) < 0; });
    for (const auto& [keyword, page] : pairs) {
        auto* item = new QListWidgetItem(keyword, Keywords);
        item->setData(Qt::UserRole, page);
    }
}

void THelpViewer::FilterKeywords(const QString& typed) {
    // The menus write ﾃﾞｰﾀ, the keywords データ: both sides in their
    // compatibility form, so either spelling finds both.
    const QString wanted = typed.normalized(QString::NormalizationForm_KC);
    for (int i = 0; i < Keywords->count(); ++i) {
        QListWidgetItem* item = Keywords->item(i);
        const QString keyword = item->text().normalized(QString::NormalizationForm_KC);
        item->setHidden(!wanted.isEmpty() && !keyword.contains(wanted, Qt::CaseInsensitive));
    }
}

QList<QPair<QString, QString>> THelpViewer::SearchPages(const QString& query) {
    InitHelpResource();
    const QStringList words =
        query.normalized(QString::NormalizationForm_KC).split(' ', Qt::SkipEmptyParts);
    QList<QPair<int, QPair<QString, QString>>> found;
    if (words.isEmpty()) return {};
    for (const auto& [title, page] : ReadPairs(":/help/contents.txt")) {
        QFile file(":/help/" + page);
        if (!file.open(QIODevice::ReadOnly)) continue;
        QTextDocument html;
        html.setHtml(QString::fromUtf8(file.readAll()));
        const QString text = html.toPlainText().normalized(QString::NormalizationForm_KC);
        int hits = 0;
        for (const QString& word : words) {
            const int count = int(text.count(word, Qt::CaseInsensitive));
            if (count == 0) {
                hits = 0;
                break;
            }
            hits += count;
        }
        if (hits > 0) found.append({hits, {title, page}});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<QPair<QString, QString>> pages;
    for (const auto& [hits, entry] : found) pages.append(entry);
    return pages;
}

void THelpViewer::Search(const QString& typed) {
    SearchResults->clear();
    for (const auto& [title, page] : SearchPages(typed)) {
        auto* item = new QListWidgetItem(title, SearchResults);
        item->setData(Qt::UserRole, page);
    }
}

void THelpViewer::Open(const QString& page) {
    if (page.isEmpty()) return;
    Browser->setSource(QUrl(kHelpRoot + page));
}

void THelpViewer::ShowContents() {
    Tabs->setCurrentIndex(0);
    Open("index.html");
    Present();
}

void THelpViewer::ShowKeywordSearch() {
    Tabs->setCurrentIndex(1);
    if (Browser->source().isEmpty()) Open("index.html");
    Present();
    KeywordEdit->setFocus();
}

QString THelpViewer::TopicPage(int context) {
    InitHelpResource();
    for (const auto& [number, page] : ReadPairs(":/help/topics.txt"))
        if (number.toInt() == context) return page;
    return {};
}

bool THelpViewer::ShowTopic(int context) {
    const QString page = TopicPage(context);
    if (page.isEmpty()) return false;
    Tabs->setCurrentIndex(0);
    Open(page);
    Present();
    return true;
}

void THelpViewer::Present() {
    // A modal form blocks every window but its own. Help asked for while one
    // is open stands over it as one of its windows, so it can be used.
    create();
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this)
        windowHandle()->setTransientParent(modal->window()->windowHandle());
    else
        windowHandle()->setTransientParent(nullptr);
    show();
    raise();
    activateWindow();
}

THelpViewer& HelpViewer() {
    static THelpViewer* viewer = new THelpViewer;
    return *viewer;
}
