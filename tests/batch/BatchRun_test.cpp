#include "batch/BatchRun.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QProcess>

#include <sstream>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "platform/Cp932.h"
#include "platform/MessageSink.h"
#include "plot/PlotNames.h"
#include "plot/TPlot.h"

namespace {

TEST(BatchOutputPath, ReplacesOnlyTheLastExtension) {
    struct Case {
        const char* data;
        const char* format;
        const char* output;
        const char* title;
    } cases[] = {
        {"/d/run.1.txt", "emf", "/d/run.1.emf", "run.1"},
        {"/d/data1.txt", "bmp", "/d/data1.bmp", "data1"},
        {"/d.x/plain", "wmf", "/d.x/plain.wmf", "plain"},
        {"rel.dat", "bmp", "rel.bmp", "rel"},
        {"/d/.run", "svg", "/d/.run.svg", ".run"},
        {"/d/.run.txt", "svg", "/d/.run.svg", ".run"},
        // The bytes of the name as they are, UTF-8 or not.
        {"/d/a\xff.txt", "emf", "/d/a\xff.emf", "a\xff"},
        // The title shows the name as it is: markup escaped.
        {"/d/run_01.txt", "emf", "/d/run_01.emf", "run\\_01"},
        {"/d/a^2@b\\c.txt", "emf", "/d/a^2@b\\c.emf", "a\\^2\\@b\\\\c"},
        {"/d/測定_１.txt", "emf", "/d/測定_１.emf", "測定\\_１"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BatchOutputPath(c.data, c.format), c.output);
        EXPECT_EQ(GraphTitleOf(c.data), c.title);
        EXPECT_EQ(PlainText(c.title), FileTitle(c.data));  // the PDF's title
    }
}

TEST(RunBatch, AGraphBesideEachGoodFileAndAMessageForEachOther) {
    TestDir dir;
    const std::string good = dir.Write("good.txt", "1 2 3\n2 4 5\n3 1 2\n");
    const std::string one = dir.Write("one.txt", "1\n2\n3\n");
    const std::string words = dir.Write("words.txt", "one two\nthree four\n");
    std::string big;
    for (int i = 0; i < 1001; ++i) big += "1 ";
    big += "\n1 2\n";
    const std::string tooLarge = dir.Write("big.txt", big);
    const std::string same = dir.Write("same.bmp", "1 2\n3 4\n");
    const std::string single = dir.Write("single.txt", "1 2\n");
    const std::string empty = dir.Write("empty.txt", "");
    BatchOptions options;
    options.Format = "bmp";
    options.Files = {good, one, words, dir.Path("missing.txt"), tooLarge, same, single, empty};
    TfMain main;
    RecordingMessageSink sink;
    ScopedMessageSink scope(sink);
    std::ostringstream progress;
    std::vector<std::string> started;
    const BatchResult result =
        RunBatch(main, options, progress, [&](const std::string& p) { started.push_back(p); });
    EXPECT_EQ(result.Graphs, 2);  // one column is drawn against the row number
    EXPECT_EQ(result.Skipped, 6);
    EXPECT_EQ(sink.Texts,
              (std::vector<std::string>{
                  "ﾌｧｲﾙ " + words + " には 'スペース' 区切りの数値の行がありません",
                  "ﾌｧｲﾙがありません", "データサイズが大きすぎます (1001 列; 1000 列まで)",
                  same + " はﾃﾞｰﾀﾌｧｲﾙなので上書きしません",
                  "ﾌｧｲﾙ " + single + " は 1 行しかないので読めません (2 行以上必要です)",
                  "ﾌｧｲﾙ " + empty + " は空です"}));
    EXPECT_EQ(started, options.Files);
    EXPECT_NE(progress.str().find("[1/8] good.txt を処理中"), std::string::npos);
    EXPECT_NE(progress.str().find("[6/8] same.bmp を処理中"), std::string::npos);
    const QImage graph(QString::fromStdString(dir.Path("good.bmp")));
    EXPECT_EQ(graph.size(), QSize(550, 320));
    EXPECT_EQ(main.Doc.Title.Main, "same");
    EXPECT_EQ(ReadWholeFile(same), "1 2\n3 4\n");  // never overwritten by its graph
}

TEST(RunBatch, SkipCountIsNotDecreasedByOne) {
    TestDir dir;
    const std::string file = dir.Write("s.txt", "junk\nx y\n1 5\n2 6\n");
    BatchOptions options;
    options.Read.Step = true;
    options.Read.StepNum = 1;
    options.Read.ReadTitle = true;
    options.KeepTitle = true;
    options.Files = {file};
    TfMain main;
    std::ostringstream progress;
    EXPECT_EQ(RunBatch(main, options, progress).Graphs, 1);
    EXPECT_EQ(main.Series(1).LegendText, "y");
    EXPECT_EQ(main.Doc.Title.Main, "GRAPH TITLE");
}

// A file that takes long gets a line at each step; here every file does.
TEST(RunBatch, ASlowFileTellsEachStep) {
    TestDir dir;
    BatchOptions options;
    options.Files = {dir.Write("s.txt", "1 5\n2 6\n")};
    options.SlowAfter = std::chrono::milliseconds(0);
    TfMain main;
    std::ostringstream progress;
    EXPECT_EQ(RunBatch(main, options, progress).Graphs, 1);
    EXPECT_EQ(progress.str(),
              "[1/1] s.txt を処理中\n  s.txt: 読み込み中\n  s.txt: 描画中\n"
              "  s.txt: 保存中\n");
}

// The program itself: options, messages naming the file, exit status.
TEST(KurvoBatch, CommandLine) {
    TestDir dir;
    const std::string good = dir.Write("a.txt", "1 2\n2 3\n");
    const std::string bad = dir.Write("b.txt", "1,2\n2,3\n");
    const std::string oneLine = dir.Write("c.txt", "1 2\n");
    dir.Write("-x.txt", "1 2\n2 3\n");  // given relative to the folder
    const std::string badColour = dir.Write("colour.kvc", "[Sample]\nFrontcolor=bogus\n");
    const std::string hostile = dir.Write("hostile.kvc", "[Sample]\nShadowsize=2000000000\n");
    const std::string huge =
        dir.Write("huge.kvc", "[Graph]\nCanvaswidth=10000\nCanvasheight=10000\n");
    dir.Write("data2.txt", "1 2\n3 4\n");
    const QString european = QString::fromStdString(dir.Write("eu.csv", "0,5;1,25\n1;2,5\n"));
    // A fit the drawing refuses, and one with too few points for it.
    const std::string fitKeys =
        "[Plot]\r\nLineImage1->Hokan=" + *Utf8ToCp932(NameOf(CurveMethod::Min2)) +
        "\r\nLineImage1->Dimension=";
    const QString degree11 = QString::fromStdString(dir.Write("d11.kvc", fitKeys + "11\r\n"));
    const QString degree5 = QString::fromStdString(dir.Write("d5.kvc", fitKeys + "5\r\n"));
    // Formula fits that cannot be made: each names the series, the formula
    // and the reason.
    auto formulaConfig = [&](const std::string& name, const std::string& formula,
                             const std::string& start) {
        return QString::fromStdString(dir.Write(
            name, "[Plot]\r\nLineImage1->Hokan=" + *Utf8ToCp932(NameOf(CurveMethod::Formula)) +
                      "\r\nLineImage1->Formula=" + formula + "\r\nLineImage1->Start=" + start +
                      "\r\n"));
    };
    const QString unreadFormula = formulaConfig("f1.kvc", "a*exp(", "");
    const QString singularFit = formulaConfig("f2.kvc", "a*b*x", "");
    // NIST's MGH10 from its first start: the valley is too long.
    const QString stuckFit =
        formulaConfig("f3.kvc", "b1*exp(b2/(x+b3))", "b1=2;b2=400000;b3=25000");
    const QString mgh10 = QString::fromStdString(
        dir.Write("mgh10.txt",
                  "50 34780\n55 28610\n60 23650\n65 19630\n70 16370\n75 13720\n"
                  "80 11540\n85 9744\n90 8261\n95 7030\n100 6005\n105 5147\n"
                  "110 4427\n115 3820\n120 3307\n125 2872\n"));
    const QString badStart = formulaConfig("f4.kvc", "a*x", "a=x");
    const QString fiveParameters = formulaConfig("f5.kvc", "a*x^3+b*x^2+c*x+d+e", "");
    const QString weightedWithoutErrors = QString::fromStdString(dir.Write(
        "f6.kvc", "[Plot]\r\nLineImage1->Hokan=" + *Utf8ToCp932(NameOf(CurveMethod::Min2)) +
                      "\r\nLineImage1->Dimension=1\r\nLineImage1->Weight=1\r\n"));
    const QString missingColumn =
        QString::fromStdString(dir.Write("cc.kvc", "[Columns]\r\nColumn3=c7+1\r\n"));
    const QString fourPoints =
        QString::fromStdString(dir.Write("four.txt", "1 2\n2 3\n3 5\n4 4\n"));
    const QString words = QString::fromStdString(dir.Write("w.txt", "1 2\n2 x\n3 0\n4 5\n"));
    const QString logY = QString::fromStdString(dir.Write(
        "log.kvc", "[Graph]\r\nAxistypeY=" + *Utf8ToCp932(NameOf(AxisKind::Log10)) + "\r\n"));
    const QString english =
        QString::fromStdString(dir.Write("en.kvc", "[Graph]\r\nAxistypeX=Linear\r\n"));
    const QString europeanLook = QString::fromStdString(
        dir.Write("eu.kvc", "[Data]\r\nDelimiter=semicolon\r\nDecimalComma=1\r\n"));
    const QString folder = QString::fromStdString(dir.Root());
    const QString pipe = QString::fromStdString(dir.MakeFifo("pipe"));
    const QString a = QString::fromStdString(good);
    struct Case {
        QStringList args;
        int exitCode;
        const char* inError;
    } cases[] = {
        {{QString::fromStdString(good)}, 0, ""},
        {{QString::fromStdString(good), QString::fromStdString(bad)},
         1,
         "b.txt には 'スペース' 区切りの数値の行がありません"},
        {{"--comma", QString::fromStdString(bad)}, 0, ""},
        {{QString::fromStdString(oneLine)}, 1, "c.txt は 1 行しかないので読めません"},
        {{}, 2, "データファイルがありません"},
        // A configuration file that cannot be read stops the run before it
        // starts; one with an error names itself.
        {{"--config", folder, a}, 2, "はﾌｫﾙﾀﾞです"},
        {{"--config", pipe, a}, 2, "pipe は通常のﾌｧｲﾙではありません"},
        {{"--config", QString::fromStdString(badColour), a},
         1,
         "colour.kvc: 'bogus' は整数ではありません"},
        {{pipe}, 1, "pipe は通常のﾌｧｲﾙではありません"},
        {{"/dev/stdin"}, 1, "/dev/stdin は通常のﾌｧｲﾙではありません"},
        {{"--config", QString::fromStdString(hostile), a},
         2,
         "[Sample] Shadowsize=2000000000 は使えません (0 から 1000 まで)"},
        {{"--save-config", "data2.txt", a}, 1, "data2.txt は設定ﾌｧｲﾙではない"},
        {{"--save-config", "pipe", a}, 1, "pipe は通常のﾌｧｲﾙではないので書き込みません"},
        {{"--format", "png", "--dpi", "2400", "--config", QString::fromStdString(huge), a},
         1,
         "メモリが足りません (250000 x 250000 ピクセルの画像)"},
        // After "--" a name that starts with "-" is a file.
        {{"--", "-x.txt"}, 0, ""},
        {{"-x.txt"}, 2, "オプション '-x.txt'"},
        {{"--format", "tiff", QString::fromStdString(good)}, 2, "形式 'tiff'"},
        {{"--format", "png", "--dpi", "300", a}, 0, ""},
        {{"--format", "svg", "--dpi", "300", a}, 2, "--format png にだけ"},
        {{"--transparent", a}, 2, "--format png にだけ"},
        {{"--format", "png", "--dpi", "10", a}, 2, "--dpi には 24 から 2400"},
        {{"--format", "png", "--exact", "--dpi", "300", a}, 2, "--exact は 96 dpi"},
        {{"--skip", "x", QString::fromStdString(good)}, 2, "'x' は整数ではありません"},
        {{"--bogus"}, 2, "'--bogus'"},
        {{"--delimiter", "semicolon", "--decimal-comma", european}, 0, ""},
        // An error while drawing is a file not done, even when its graph is
        // saved; a notice is not.
        {{"--config", degree11, fourPoints}, 1, "four.txt のｸﾞﾗﾌは保存しましたが"},
        {{"--config", degree5, fourPoints}, 1, "'DATA2' は X の値が 4 通りしかないので 5 次"},
        {{"--config", unreadFormula, fourPoints}, 1, "'DATA2' の式 a*exp( を読めません: "},
        {{"--config", singularFit, fourPoints}, 1, "'DATA2' の式 a*b*x のﾌｨｯﾄはﾔｺﾋﾞ行列が特異"},
        {{"--config", stuckFit, mgh10}, 1, "b1*exp(b2/(x+b3)) のﾌｨｯﾄは 500 回の反復で収束しません"},
        {{"--config", badStart, fourPoints}, 1, "'DATA2' の初期値 a=x を読めません (式 a*x)"},
        {{"--config", fiveParameters, fourPoints}, 1, "点が 4 個なので 5 個のﾊﾟﾗﾒｰﾀの式"},
        {{"--config", weightedWithoutErrors, fourPoints},
         0,
         "Y の誤差の列がないので、重み付けなしで"},
        {{"--config", missingColumn, fourPoints},
         1,
         "cc.kvc: 計算列の式 c7+1 を計算できません: 列 c7 はありません (ﾃﾞｰﾀは 2 列です)"},
        {{"--overlay", "--format", "png", "--output", "both.png", a, fourPoints}, 0, ""},
        {{"--output", "x.png", a}, 2, "--output は --overlay にだけ使えます"},
        {{words}, 0, "1 個の値は数値ではない"},
        {{"--config", logY, fourPoints, QString::fromStdString(bad)},
         1,
         "b.txt には 'スペース' 区切り"},  // the log notice alone would be 0
        {{"--config", logY, words}, 0, "Y の 1 点は 0 以下なので対数軸に描けません"},
        {{"--config", english, a}, 2, "[Graph] AxistypeX=Linear は使えません"},
        {{"--decimal-comma", "--config", europeanLook, european}, 0, ""},
        {{european}, 1, "'スペース' 区切りの数値の行がありません"},
        {{"--delimiter", "tab", "--config", europeanLook, european}, 1, "'タブ' 区切り"},
        {{"--delimiter", "pipe", a}, 2, "区切り 'pipe' は使えません"},
        {{"--right-axis", "2", a}, 0, ""},
        {{"--size", "8.5cmx6cm", "--format", "pdf", a}, 0, ""},
        {{"--size", "85x60mm", a}, 0, ""},
        {{"--size", "8.5cmx60mm", a}, 2, "--size '8.5cmx60mm' は使えません"},
        {{"--size", "19x400", a}, 2, "20 から 10000 ピクセルまで"},
        {{"--right-axis", "2,0", a}, 2, "--right-axis には列の番号を 3 や 2,4 のように指定します"},
        {{"--right-axis", "1.5", a}, 2, "('1.5')"},
        {{"--comma", "--delimiter", "tab", a}, 2, "区切りは一つだけ"},
        {{"--comma", "--decimal-comma", a}, 2, "カンマ区切りとは一緒に使えません"},
        {{"--format=png", "--dpi=150", a}, 0, ""},
        {{"--verison", a}, 2, "オプション '--verison' はありません"},
        {{a, "--skip"}, 2, "--skip には値が必要です"},
    };
    for (const Case& c : cases) {
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(dir.Root()));
        process.start(KURVO_BATCH, c.args);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), c.exitCode) << c.args.join(' ').toStdString();
        const std::string err = process.readAllStandardError().toStdString();
        EXPECT_NE(err.find(c.inError), std::string::npos) << err;
    }
    EXPECT_EQ(ReadWholeFile(dir.Path("data2.txt")), "1 2\n3 4\n");
    EXPECT_EQ(ReadWholeFile(dir.Path("a.png")).substr(1, 3), "PNG");     // the huge one not over it
    EXPECT_EQ(ReadWholeFile(dir.Path("both.png")).substr(1, 3), "PNG");  // overlaid
    // The program answers --help and --version without a window.
    // Both programs answer -h and -v without a display, and refuse what
    // they do not know; the window says so when there is no display.
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        noDisplay.remove(variable);
    struct Run {
        const char* program;
        QStringList args;
        int exitCode;
        const char* out;
        const char* err;
    } runs[] = {
        {KURVO_PROGRAM, {"--help"}, 0, "使い方: kurvo", ""},
        {KURVO_PROGRAM, {"-h"}, 0, "使い方: kurvo", ""},
        {KURVO_PROGRAM, {"-v"}, 0, "kurvo ver", ""},
        {KURVO_PROGRAM, {"--verison"}, 2, "", "オプション '--verison' はありません"},
        {KURVO_PROGRAM, {"a.txt"}, 1, "", "ディスプレイがありません"},
        {KURVO_BATCH, {"--help"}, 0, "終了コード", ""},
        {KURVO_BATCH, {"-h"}, 0, "--comma", ""},
        {KURVO_BATCH, {"--version"}, 0, "kurvo-batch ver", ""},
        {KURVO_BATCH, {"-v"}, 0, "kurvo-batch ver", ""},
    };
    for (const Run& run : runs) {
        QProcess program;
        program.setProcessEnvironment(noDisplay);
        program.start(run.program, run.args);
        ASSERT_TRUE(program.waitForFinished(60000));
        const std::string what = run.args.join(' ').toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << what;
        EXPECT_EQ(program.exitCode(), run.exitCode) << what;
        EXPECT_TRUE(QString::fromUtf8(program.readAllStandardOutput()).contains(run.out)) << what;
        EXPECT_TRUE(QString::fromUtf8(program.readAllStandardError()).contains(run.err)) << what;
    }
}

}  // namespace
