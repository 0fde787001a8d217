// kurvo-batch: draws a graph for each data file, without a window.
#include <QCommandLineParser>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include "platform/Version.h"

#include "app/TfMain.h"
#include "batch/BatchRun.h"
#include "batch/BatchWorkers.h"
#include "config/ConfigFile.h"
#include "fit/FitText.h"
#include "platform/AtomicFile.h"
#include "platform/CommandLine.h"
#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/PlainFile.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"
#include "platform/UsableCores.h"

namespace {

constexpr const char* kUsage =
    "使い方: kurvo-batch [オプション] データファイル...\n"
    "  データファイルごとにグラフを描き、同じフォルダに拡張子だけを替えて保存します。\n"
    "  --delimiter 区切り  space (既定: 続く空白とタブが一つの区切り), tab (タブごと),\n"
    "                   comma (カンマごと), semicolon (セミコロンごと)\n"
    "  --comma          --delimiter comma と同じ\n"
    "  --decimal-comma  小数点をカンマとして読む (1,5 は 1.5; comma 区切りとは使えない)\n"
    "  --title          最初の行をタイトル行として読む\n"
    "  --skip N         先頭の N 行を読み飛ばす\n"
    "  --keep-title     グラフタイトルをファイル名にしない\n"
    "  --nice-ticks     自動の範囲と目盛りをきりのよい値 (1, 2, 2.5, 5 x 10^k) にする\n"
    "  --right-axis 列  その列 (3 や 2,4) の系列を右の Y 軸に描く (範囲も目盛りも別)\n"
    "  --config FILE    データファイルごとに読む設定ファイル (.kvc)。区切りと小数点は\n"
    "                   コマンドで区切りを指定しなければ、この設定ファイルの [Data] に従う\n"
    "  --save-config FILE  終わったあと、その時の設定を保存する\n"
    "  --format 形式    保存する形式: emf (既定), wmf, bmp, svg, pdf, png\n"
    "  --dpi N          png の解像度 (既定 96、24〜2400; 300 で 550x320 は 1719x1000)\n"
    "  --exact          png をアンチエイリアスなしの 96 dpi で (BMP と同じ画素)\n"
    "  --transparent    png の背景を透明に\n"
    "  --size 幅x高さ   キャンバスの大きさ: 8.5cmx6cm, 85x60mm, 3.5inx2.5in, 600x400 (ピクセル)\n"
    "  --overlay        データファイルをすべて一つのグラフに (最初のファイルの横に保存)\n"
    "                   設定ファイルの計算列 ([Columns] Column5=c2*1e9 のような式) は\n"
    "                   ファイルごとに、読んだ値から計算する\n"
    "  --output FILE    --overlay のグラフを FILE に保存する\n"
    "  --fit-report FILE  すべてのﾌｨｯﾄの結果をタブ区切りで FILE に (- は標準出力)\n"
    "  -j N, --jobs N   N 個のファイルを同時に描く (既定: 使えるコアの数)。進み具合と\n"
    "                   知らせはファイルごとにまとめて、1 つずつ描くときと同じ順に書く\n"
    "                   (--overlay, --save-config, 保存先の重なるファイル、QT_QPA_PLATFORM で\n"
    "                   offscreen 以外を選んだときは 1 つずつ)\n"
    "  -h, --help       この説明\n"
    "  -v, --version    版\n"
    "  --               これより後はすべてデータファイル (- で始まる名前も)\n"
    "  値は --format png のほか --format=png とも書ける。\n"
    "読み方:\n"
    "  \"...\" で囲んだ値は引用符を外して読み、中の区切りは文字として扱う。\n"
    "  数値でない値 (文字、inf) は欠損値になり、その数と最初の場所を標準エラーに書く。\n"
    "  1.0D-03 のような D, Q の指数も読む。1 列だけのファイルは行番号を X に描く。\n"
    "  日付と時刻 (2024-01-31, 2024-01-31T06:00:00Z, 2024/1/31 6:00, 06:00:00) は\n"
    "  1970-01-01 UTC からの秒として読む (ゾーンのない時刻はこの機械の時刻、時刻だけは\n"
    "  0 時からの秒)。その列を X にした軸は日時の軸 (暦のきりのよい目盛り) になる。\n"
    "  ない日付 (2024-02-30) は欠損値。\n"
    "終了コード:\n"
    "  0  すべてのグラフを保存した\n"
    "  1  飛ばしたファイル、またはエラーのあった部分を描かずに保存したファイルがある\n"
    "     (理由は標準エラーに書く。数値でない値や対数軸の 0 以下の点の知らせでは 0 のまま)\n"
    "  2  コマンドの指定が誤っている (読めない設定ファイル、範囲外の数を持つ設定ファイルを含む)\n";

constexpr const char* kSizeOptionText =
    "--size '%s' は使えません: 8.5cmx6cm のように幅と高さを (単位は cm, mm, in, px)、"
    "20 から 10000 ピクセルまでで指定します";
// More workers than this are more processes than any machine's cores.
constexpr int kMaxJobs = 1024;
constexpr const char* kTwoDelimitersText = "区切りは一つだけ指定します";
constexpr const char* kDecimalCommaWithCommaText =
    "小数点のカンマ (--decimal-comma) はカンマ区切りとは一緒に使えません";

// The sink that names the file a message is about.
class FileMessageSink : public MessageSink {
  public:
    std::string File;
    std::ostream* Err = &std::cerr;
    void ShowMessage(const std::string& text) override {
        *Err << ShownText(File) << ": " << text << std::endl;
    }
};

// Qt's note about a missing runtime folder means nothing to a batch user.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith("QStandardPaths:")) return;
    std::fprintf(stderr, "kurvo-batch: %s\n", message.toLocal8Bit().constData());
}

int Usage(const std::string& problem) {
    std::fprintf(stderr, "kurvo-batch: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

// The command line's options: flags, options with a value ("--skip 2" or
// "--skip=2"), and "-h" and "-v" for help and version.
void AddOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* flag : {"comma", "decimal-comma", "title", "keep-title", "nice-ticks",
                             "overlay", "exact", "transparent"})
        parser.addOption(QCommandLineOption(flag));
    for (const char* valued : {"delimiter", "right-axis", "size", "config", "save-config",
                               "fit-report", "output", "skip", "format", "dpi"})
        parser.addOption(QCommandLineOption(valued, {}, "value"));
    parser.addOption(QCommandLineOption(QStringList{"j", "jobs"}, {}, "value"));
    parser.addOption(QCommandLineOption(QStringList{"h", "help"}));
    parser.addOption(QCommandLineOption(QStringList{"v", "version"}));
}

}  // namespace

int main(int argc, char* argv[]) {
    BatchOptions options;
    std::string saveConfig, fitReport;
    bool pngOption = false, dpiGiven = false;
    // The read options the command line gives; the rest may come from the
    // configuration file.
    std::optional<DataDelimiter> delimiter;
    bool decimalComma = false;
    auto setDelimiter = [&](DataDelimiter chosen) {
        const bool other = delimiter && *delimiter != chosen;
        delimiter = chosen;
        return !other;
    };
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        // "-j2" as make and parallel take it: "-j 2".
        if (argument.size() > 2 && argument.startsWith("-j") && argument[2].isDigit())
            arguments << "-j" << argument.mid(2);
        else
            arguments << argument;
    }
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(arguments)) return Usage(CommandLineProblem(parser, arguments));
    if (parser.isSet("help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parser.isSet("version")) {
        std::puts("kurvo-batch ver" KURVO_VERSION);
        return 0;
    }
    // The last of an option given twice counts, as with the others.
    auto value = [&](const char* name) { return parser.values(name).back().toStdString(); };
    if (parser.isSet("comma") && !setDelimiter(DataDelimiter::Comma))
        return Usage(kTwoDelimitersText);
    for (const QString& typed : parser.values("delimiter")) {
        const auto chosen = DelimiterFromKey(typed.toStdString());
        if (!chosen)
            return Usage(
                FormatText("区切り '%s' は使えません (space, tab, comma, semicolon のどれか)",
                           {typed.toStdString()}));
        if (!setDelimiter(*chosen)) return Usage(kTwoDelimitersText);
    }
    decimalComma = parser.isSet("decimal-comma");
    options.Read.ReadTitle = parser.isSet("title");
    options.KeepTitle = parser.isSet("keep-title");
    options.NiceTicks = parser.isSet("nice-ticks");
    options.Overlay = parser.isSet("overlay");
    if (parser.isSet("right-axis")) {
        const std::string columns = value("right-axis");
        std::size_t from = 0;
        while (from <= columns.size()) {
            const std::size_t comma = std::min(columns.find(',', from), columns.size());
            int column = 0;
            double number = 0;
            if (TryStrToFloat(columns.substr(from, comma - from), number) && number >= 1 &&
                number <= SeriesStyle::kMaxAxisX && number == std::floor(number))
                column = int(number);
            if (column == 0)
                return Usage(FormatText(
                    "--right-axis には列の番号を 3 や 2,4 のように指定します ('%s')", {columns}));
            options.RightAxisColumns.push_back(column);
            from = comma + 1;
        }
    }
    if (parser.isSet("size")) {
        const std::string size = value("size");
        options.Size = ReadCanvasSize(size);
        GraphSettings canvas;
        if (options.Size)
            canvas.SetCanvas(options.Size->Unit, options.Size->Width, options.Size->Height);
        if (!options.Size ||
            std::min(canvas.Canvaswidth, canvas.Canvasheight) < GraphSettings::kMinSize ||
            std::max(canvas.Canvaswidth, canvas.Canvasheight) > GraphSettings::kMaxSize)
            return Usage(FormatText(kSizeOptionText, {size}));
    }
    if (parser.isSet("config")) options.Config = value("config");
    if (parser.isSet("fit-report")) fitReport = value("fit-report");
    if (parser.isSet("output")) options.Output = value("output");
    if (parser.isSet("save-config")) saveConfig = value("save-config");
    options.Png.Exact = parser.isSet("exact");
    options.Png.Transparent = parser.isSet("transparent");
    pngOption = options.Png.Exact || options.Png.Transparent;
    if (parser.isSet("format")) {
        options.Format = value("format");
        if (std::find(std::begin(kBatchFormats), std::end(kBatchFormats), options.Format) ==
            std::end(kBatchFormats))
            return Usage(FormatText("形式 '%s' は使えません", {options.Format}));
    }
    if (parser.isSet("dpi")) {
        try {
            options.Png.Dpi = StrToInt(value("dpi"));
        } catch (const RaisedError& e) {
            return Usage(e.Text());
        }
        if (options.Png.Dpi < PngOptions::kMinDpi || options.Png.Dpi > PngOptions::kMaxDpi)
            return Usage(FormatText(
                "--dpi には %s から %s までの数を指定します",
                {std::to_string(PngOptions::kMinDpi), std::to_string(PngOptions::kMaxDpi)}));
        pngOption = dpiGiven = true;
    }
    int jobs = UsableCores();
    if (parser.isSet("jobs")) {
        try {
            jobs = StrToInt(value("jobs"));
        } catch (const RaisedError& e) {
            return Usage(e.Text());
        }
        if (jobs < 1 || jobs > kMaxJobs)
            return Usage(
                FormatText("-j には 1 から %s までの数を指定します", {std::to_string(kMaxJobs)}));
    }
    if (parser.isSet("skip")) {
        try {
            options.Read.StepNum = StrToInt(value("skip"));
        } catch (const RaisedError& e) {
            return Usage(e.Text());
        }
        if (options.Read.StepNum < 0) return Usage("--skip には 0 以上の数を指定します");
        options.Read.Step = true;
    }
    for (const QString& file : parser.positionalArguments())
        options.Files.push_back(file.toLocal8Bit().toStdString());
    if (options.Files.empty() && saveConfig.empty()) return Usage("データファイルがありません");
    if (!options.Output.empty() && !options.Overlay)
        return Usage("--output は --overlay にだけ使えます");
    // SVG and PDF are vectors; the bitmap and the metafiles have their own
    // fixed resolution.
    if (pngOption && options.Format != "png")
        return Usage("--dpi, --exact, --transparent は --format png にだけ使えます");
    if (dpiGiven && options.Png.Exact)
        return Usage("--exact は 96 dpi です: --dpi と一緒には使えません");

    // No display needed: offscreen unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    QGuiApplication app(argc, argv);
    FileMessageSink sink;
    ScopedMessageSink scope(sink);

    TfMain main;
    // A configuration file that cannot be read (missing, a folder, a named
    // pipe) is refused before any graph is drawn without it.
    // A number out of range refuses it as a whole.
    if (!options.Config.empty()) {
        sink.File = options.Config;
        if (!IsReadablePlainFile(options.Config)) {
            ShowMessage(ReadRefusalText(options.Config));
            return 2;
        }
        if (!main.CheckConfigFile(options.Config)) return 2;
        ReadSettings read;
        if (!ConfigFile::ReadDataKeys(read, options.Config)) return 2;
        if (!delimiter) {
            delimiter = read.Delimiter;
            decimalComma = decimalComma || read.DecimalComma;
        }
    }
    if (delimiter) options.Read.SetDelimiter(*delimiter);
    if (decimalComma && delimiter == DataDelimiter::Comma) return Usage(kDecimalCommaWithCommaText);
    options.Read.DecimalComma = decimalComma;
    // The report on standard output streams file by file, the progress
    // then on standard error; a report file is written whole at the end.
    std::string reportRows;
    if (fitReport == "-") {
        std::fputs(kFitReportHeader, stdout);
        options.FitReportRows = [](const std::string& rows) {
            std::fputs(rows.c_str(), stdout);
            std::fflush(stdout);
        };
    } else if (!fitReport.empty()) {
        options.FitReportRows = [&](const std::string& rows) { reportRows += rows; };
    }
    auto run = [&](const BatchOptions& runOptions, const BatchStreams& streams) {
        sink.Err = &streams.Err;
        return RunBatch(main, runOptions, fitReport == "-" ? streams.Err : streams.Out, {},
                        [&](const std::string& path) { sink.File = path; });
    };
    const BatchStreams streams{std::cout, std::cerr, options.FitReportRows};
    // Files drawn side by side must not write the same graph, and the
    // state a saved configuration holds is that after the last file.
    jobs = std::min<int>(jobs, int(options.Files.size()));
    std::set<std::string> outputs;
    for (const std::string& file : options.Files)
        outputs.insert(BatchOutputPath(file, options.Format));
    if (options.Overlay || !saveConfig.empty() || outputs.size() < options.Files.size()) jobs = 1;
    // Workers are forks of this process: a platform the user chose (a
    // display server's connection) cannot be shared by them.
    const QString platform = QGuiApplication::platformName();
    if (platform != "offscreen" && platform != "minimal") jobs = 1;
    BatchResult result;
    if (jobs > 1) {
        // Each file's reader then parses on the cores its worker leaves.
        main.DataOpen.Threads = std::max(1, UsableCores() / jobs);
        result = RunBatchInWorkers(jobs, options, streams, run, [&](int index) {
            sink.File = options.Files[std::size_t(index)];
            ShowMessage(NotDrawnText(sink.File));
        });
    } else {
        result = run(options, streams);
    }
    if (!fitReport.empty() && fitReport != "-") {
        sink.File = fitReport;
        bool written = false;
        RunCommand([&] {
            WriteFileAtomically(fitReport, std::string(kFitReportHeader) + reportRows,
                                {.Keep = options.Files});
            written = true;
        });
        if (!written) return 1;
    }
    if (!saveConfig.empty()) {
        sink.File = saveConfig;
        bool saved = false;
        RunCommand([&] { saved = main.WriteConfigFile(saveConfig); });
        if (!saved) return 1;
    }
    return result.Skipped > 0 ? 1 : 0;
}
