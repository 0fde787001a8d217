// Files drawn side by side, by kurvo-batch's own workers or by GNU
// parallel, give what one run drawing them one at a time gives.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <cmath>
#include <sstream>

#include "TestSupport.h"
#include "platform/Cp932.h"
#include "plot/PlotNames.h"

namespace {

// Twenty files in `dir`: decays to fit, and among them a file of words
// and a file of one line, which are skipped with a message each.
QStringList WriteRuns(const TestDir& dir) {
    QStringList names;
    for (int k = 1; k <= 20; ++k) {
        std::ostringstream data;
        data.precision(17);
        if (k == 7) {
            data << "one two\nthree four\n";
        } else if (k == 13) {
            data << "1 2 3\n";
        } else {
            for (int i = 0; i < 40 * k; ++i) {
                const double x = i * 0.25;
                data << x << " " << k * 4.0 * std::exp(-x / 2.5) + 0.5 + 0.01 * std::sin(i)
                     << " 0.01\n";
            }
        }
        char name[16];
        std::snprintf(name, sizeof name, "run%02d.dat", k);
        dir.Write(name, data.str());
        names << name;
    }
    dir.Write("decay.kvc",
              "[Plot]\r\nLineImage1->Hokan=" + *Utf8ToCp932(NameOf(CurveMethod::Formula)) +
                  "\r\nLineImage1->Formula=a*exp(-x/t)+c\r\nLineImage1->ErrorY=3\r\n"
                  "LineImage1->Weight=1\r\n[CheckBox]\r\nLineCheck2=0\r\n");
    return names;
}

struct ProgramRun {
    int exitCode = -1;
    std::string out, err;
};

ProgramRun RunIn(const TestDir& dir, const QString& program, const QStringList& args) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(dir.Root()));
    process.start(program, args);
    ProgramRun run;
    if (!process.waitForFinished(120000)) return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

// Every file the runs wrote, the same bytes under the same names.
void ExpectSameFiles(const TestDir& one, const TestDir& other) {
    const QStringList written =
        QDir(QString::fromStdString(one.Root())).entryList({"*.emf", "*.tsv"}, QDir::Files);
    EXPECT_EQ(
        written,
        QDir(QString::fromStdString(other.Root())).entryList({"*.emf", "*.tsv"}, QDir::Files));
    EXPECT_GE(written.size(), 18);
    for (const QString& name : written)
        EXPECT_EQ(ReadWholeFile(one.Path(name.toStdString())),
                  ReadWholeFile(other.Path(name.toStdString())))
            << name.toStdString();
}

TEST(KurvoBatch, WorkersWriteWhatOneAtATimeWrites) {
    // The report in a file, the progress on standard output; and the
    // report on standard output, the progress among the messages.
    for (const char* report : {"fits.tsv", "-"}) {
        SCOPED_TRACE(report);
        TestDir one, two;
        const QStringList files = WriteRuns(one);
        WriteRuns(two);
        const QStringList args = QStringList{"--config", "decay.kvc", "--fit-report", report} +
                                 files + QStringList{"missing.dat"};
        const ProgramRun alone = RunIn(one, KURVO_BATCH, QStringList{"-j", "1"} << args);
        const ProgramRun side = RunIn(two, KURVO_BATCH, QStringList{"-j2"} << args);
        EXPECT_EQ(alone.exitCode, 1);
        EXPECT_EQ(side.exitCode, alone.exitCode);
        EXPECT_EQ(side.out, alone.out);
        EXPECT_EQ(side.err, alone.err);
        EXPECT_NE(alone.err.find("run07.dat: "), std::string::npos) << alone.err;
        ExpectSameFiles(one, two);
    }
    TestDir dir;
    for (const char* jobs : {"0", "x", "1025"})
        EXPECT_EQ(RunIn(dir, KURVO_BATCH, {"-j", jobs, "a.dat"}).exitCode, 2) << jobs;
}

// As the README shows it: one task a file, the reports joined after.
TEST(KurvoBatch, UnderGnuParallelAsInOneRun) {
    TestDir one, tasks;
    WriteRuns(one);
    WriteRuns(tasks);
    const ProgramRun alone = RunIn(
        one, "sh", {"-c", "\"$0\" --config decay.kvc --fit-report fits.tsv *.dat", KURVO_BATCH});
    const ProgramRun parallel =
        RunIn(tasks, "sh",
              {"-c",
               "parallel --will-cite -j 2 --joblog jobs.log \"$0\" --config decay.kvc "
               "--fit-report {.}.fit.tsv {} ::: *.dat; status=$?; "
               "set -- *.fit.tsv; { head -n 1 \"$1\"; tail -q -n +2 \"$@\"; } > fits.tsv; "
               "rm -- *.fit.tsv; exit $status",
               KURVO_BATCH});
    EXPECT_EQ(alone.exitCode, 1);
    // parallel's status is the number of tasks that failed: the two files
    // one run skips.
    EXPECT_EQ(parallel.exitCode, 2) << parallel.err;
    ExpectSameFiles(one, tasks);
    // Each task's own status, from the job log: 1 for the skipped files.
    QProcess awk;
    awk.start("awk", {"-F", "\t", "NR > 1 { print $7, $9 }",
                      QString::fromStdString(tasks.Path("jobs.log"))});
    ASSERT_TRUE(awk.waitForFinished(60000));
    std::istringstream log(awk.readAllStandardOutput().toStdString());
    int status = 0, failed = 0, tasksRun = 0;
    std::string command;
    while (log >> status && std::getline(log, command)) {
        ++tasksRun;
        const bool skipped = command.find("run07.dat") != std::string::npos ||
                             command.find("run13.dat") != std::string::npos;
        EXPECT_EQ(status, skipped ? 1 : 0) << command;
        failed += status != 0;
    }
    EXPECT_EQ(tasksRun, 20);
    EXPECT_EQ(failed, 2);
}

}  // namespace
