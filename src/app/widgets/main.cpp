#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "platform/Version.h"

#include "app/TfMain.h"
#include "app/widgets/BoxMessageSink.h"
#include "app/widgets/QtTranslation.h"
#include "app/widgets/TfMainWindow.h"
#include "app/widgets/ToolGlyphs.h"
#include "platform/CommandLine.h"
#include "platform/RaisedError.h"

namespace {

constexpr const char* kUsage =
    "使い方: kurvo [ファイル...]\n"
    "  データファイルを開いて (読み取りの設定画面から) 表と系列を作り、\n"
    "  設定ファイル (.kvc) を読み込みます。データがあればグラフを描きます。\n"
    "  データファイルをいくつも指定すると、2 つ目からは追加して一つのグラフに重ねます\n"
    "  (ﾌｧｲﾙ → ﾃﾞｰﾀﾌｧｲﾙを追加 と同じ)。設定ファイルは最後のものを使います。\n"
    "  列から式で計算した列は ﾃﾞｰﾀ → 計算列を追加 で加えます (c2*1e9, c3/c2 など)。\n"
    "  -h, --help       この説明\n"
    "  -v, --version    版\n"
    "  --               これより後はすべてファイル (- で始まる名前も)\n"
    "  Qt のオプション (-platform, -style など) も使えます。\n"
    "  ウィンドウなしでグラフを描くには kurvo-batch を使います。\n";

constexpr const char* kNoDisplayText =
    "kurvo: ディスプレイがありません (DISPLAY も WAYLAND_DISPLAY もありません)。"
    "ウィンドウなしでグラフを描くには kurvo-batch を使います\n";

constexpr const char* kNoWindowText =
    "kurvo: ウィンドウを開けません (理由は上のとおり)。"
    "ウィンドウなしでグラフを描くには kurvo-batch を使います\n";

// The options of Qt's own that QApplication takes from the command line,
// with and without a value, so that they are not refused here.
void AddOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{"h", "help"}));
    parser.addOption(QCommandLineOption(QStringList{"v", "version"}));
    for (const char* qtValued : {"platform", "platformpluginpath", "platformtheme", "plugin",
                                 "qwindowgeometry", "qwindowtitle", "qwindowicon", "style",
                                 "stylesheet", "session", "display", "geometry", "title"}) {
        QCommandLineOption option(qtValued, {}, "value");
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* qtFlag : {"reverse", "nograb", "dograb", "sync", "widgetcount"}) {
        QCommandLineOption option(qtFlag);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// Whether a window system is there to show windows on; Qt would end the
// program with an abort without one.
bool HasDisplay(const QCommandLineParser& parser) {
    QString platform = parser.isSet("platform") ? parser.value("platform")
                                                : qEnvironmentVariable("QT_QPA_PLATFORM");
    platform = platform.section(':', 0, 0).section(';', 0, 0);
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY") || parser.isSet("display");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty()) return x11 || wayland;
    if (platform == "xcb") return x11;
    if (platform.startsWith("wayland")) return wayland;
    return true;
}

// A fatal message of Qt's (a display that does not answer) ends the
// program with status 1 and a word of what to do, not with an abort.
void ExitOnFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
    std::fprintf(stderr, "kurvo: %s\n", message.toLocal8Bit().constData());
    if (type != QtFatalMsg) return;
    std::fputs(kNoWindowText, stderr);
    std::_Exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before any window, so that they work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "kurvo: %s\n%s", CommandLineProblem(parser, arguments).c_str(),
                     kUsage);
        return 2;
    }
    if (parser.isSet("help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parser.isSet("version")) {
        std::puts("kurvo ver" KURVO_VERSION);
        return 0;
    }
    if (!HasDisplay(parser)) {
        std::fputs(kNoDisplayText, stderr);
        return 1;
    }
    std::vector<std::string> files;
    for (const QString& file : parser.positionalArguments())
        files.push_back(file.toLocal8Bit().toStdString());
    qInstallMessageHandler(ExitOnFatal);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
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
