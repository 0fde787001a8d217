#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "platform/Version.h"

#include "app/TfMain.h"
#include "app/widgets/BoxMessageSink.h"
#include "app/widgets/QtTranslation.h"
#include "app/widgets/TfMainWindow.h"
#include "app/widgets/ToolGlyphs.h"
#include "platform/RaisedError.h"

namespace {

constexpr const char* kUsage =
    "使い方: kurvo [ファイル...]\n"
    "  データファイルを開いて (読み取りの設定画面から) 表と系列を作り、\n"
    "  設定ファイル (.kvc) を読み込みます。データがあればグラフを描きます。\n"
    "  データファイルをいくつも指定すると、2 つ目からは追加して一つのグラフに重ねます\n"
    "  (ﾌｧｲﾙ → ﾃﾞｰﾀﾌｧｲﾙを追加 と同じ)。設定ファイルは最後のものを使います。\n"
    "  列から式で計算した列は ﾃﾞｰﾀ → 計算列を追加 で加えます (c2*1e9, c3/c2 など)。\n"
    "  --help           この説明\n"
    "  --version        版\n"
    "  --               これより後はすべてファイル (- で始まる名前も)\n";

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before any window, so that they work without a display.
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("kurvo ver" KURVO_VERSION "b");
            return 0;
        }
    }
    QApplication app(argc, argv);
    // What Qt leaves of the command line (it takes its own options).
    std::vector<std::string> files;
    bool optionsEnded = false;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const std::string arg = arguments[i].toStdString();
        if (!optionsEnded && arg == "--")
            optionsEnded = true;
        else if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-")
            files.push_back(arg);
    }
    QApplication::setApplicationName("Kurvo");
    QApplication::setOrganizationName("Kurvo");
    QApplication::setWindowIcon(MakeProgramIcon());
    InstallQtJapanese(app);
    BoxMessageSink messages;
    SetMessageSink(&messages);
    try {
        TfMain state;
        TfMainWindow fMain(state);
        fMain.show();
        // The files named on the command line, once the window is up: the
        // options form comes over it.
        if (!files.empty()) QTimer::singleShot(0, &fMain, [&] { fMain.OpenStartFiles(files); });
        // Closing the main window ends the program, other windows with it.
        QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
        QObject::connect(&fMain, &QObject::destroyed, &app, &QApplication::quit);
        const int result = app.exec();
        SetMessageSink(nullptr);
        return result;
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Kurvo", QString::fromUtf8(e.what()));
        return 1;
    }
}
