// The main window's ways to a file: the open command, drops, the recent
// files and the files named at start, the printer, and what is kept of
// the windows between runs.
#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "app/TfMain.h"
#include "app/widgets/TGraphWindow.h"
#include "app/widgets/TfMainWindow.h"
#include "platform/PictureReplay.h"
#include "platform/RunCommand.h"

void TfMainWindow::menuDataOpenClick() {
    RunCommand([this] { state_.menuDataOpenClick(*desktop_); });
}

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (!data) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    return files;
}

}  // namespace

void TfMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TfMainWindow::dropEvent(QDropEvent* event) {
    const std::vector<std::string> files = LocalFiles(event->mimeData());
    if (files.empty()) return;
    event->acceptProposedAction();
    // With Ctrl held the files are added to what is read.
    const bool add = event->modifiers() & Qt::ControlModifier;
    // Read after the drop has ended: the options form is modal.
    QTimer::singleShot(0, this, [this, files, add] { OpenStartFiles(files, add); });
}

namespace {

constexpr const char* kRecentDataKey = "RecentDataFiles";
constexpr const char* kRecentConfigKey = "RecentConfigFiles";

std::vector<std::string> ToStrings(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list) out.push_back(s.toStdString());
    return out;
}

QStringList ToList(const std::vector<std::string>& items) {
    QStringList out;
    for (const std::string& s : items) out.append(QString::fromStdString(s));
    return out;
}

}  // namespace

void TfMainWindow::LoadRecentFiles() {
    QSettings settings;
    state_.RecentData.Restore(ToStrings(settings.value(kRecentDataKey).toStringList()));
    state_.RecentConfigs.Restore(ToStrings(settings.value(kRecentConfigKey).toStringList()));
    FillRecentMenus();
}

void TfMainWindow::SaveRecentFiles() {
    QSettings settings;
    settings.setValue(kRecentDataKey, ToList(state_.RecentData.Items()));
    settings.setValue(kRecentConfigKey, ToList(state_.RecentConfigs.Items()));
    FillRecentMenus();
}

void TfMainWindow::FillRecentMenus() {
    auto fill = [this](QMenu* menu, const RecentFiles& files, bool config) {
        menu->clear();
        int n = 0;
        for (const std::string& path : files.Items()) {
            QAction* item =
                menu->addAction(QString("&%1 %2").arg(++n).arg(QString::fromStdString(path)));
            connect(item, &QAction::triggered, this, [this, path, config] {
                RunCommand([&] {
                    if (config)
                        state_.OpenStartFiles(*desktop_, {path});
                    else
                        state_.OpenDataFile(*desktop_, path);
                });
            });
        }
        menu->setEnabled(n > 0);
    };
    fill(RecentData, state_.RecentData, false);
    fill(RecentConfigs, state_.RecentConfigs, true);
}

void TfMainWindow::OpenStartFiles(const std::vector<std::string>& files, bool add) {
    RunCommand([&] { state_.OpenStartFiles(*desktop_, files, add); });
}

void TfMainWindow::RestoreWindowPlaces() {
    QSettings settings;
    restoreGeometry(settings.value("Window/Main").toByteArray());
    GraphWindow->RestorePlace(settings.value("Window/Graph").toByteArray(),
                              settings.value("Window/GraphCanvas").toSize());
}

void TfMainWindow::SaveWindowPlaces() const {
    QSettings settings;
    settings.setValue("Window/Main", saveGeometry());
    settings.setValue("Window/Graph", GraphWindow->saveGeometry());
    settings.setValue("Window/GraphCanvas", GraphWindow->SizedFor());
}

void TfMainWindow::ShowDataFileInTitle() {
    const std::string& file = state_.DataOpen.FileName;
    setWindowTitle(state_.DataRead() && !file.empty()
                       ? QString::fromStdString(std::filesystem::path(file).filename().string()) +
                             " - Kurvo"
                       : QString("Kurvo"));
}

void TfMainWindow::menuPrintClick() {
    if (!state_.Enabling().menuGraphSave) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("印刷");
    if (dialog.exec() != QDialog::Accepted) return;
    RunCommand([&] {
        const Picture& graph = state_.ComposeGraph();
        QPainter painter(&printer);
        // As large as the page allows, in the graph's proportions.
        const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
        const double scale =
            std::min(page.width() / graph.ExactWidth(), page.height() / graph.ExactHeight());
        painter.scale(scale, scale);
        ReplayPicture(painter, graph, 0, 0, ReplayStyle::Smooth);
    });
}

void TfMainWindow::menuDataPasteClick() {
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    RunCommand([&] { state_.ReadClipboardText(*desktop_, text); });
}
