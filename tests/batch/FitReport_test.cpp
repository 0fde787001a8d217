#include <gtest/gtest.h>

#include <QProcess>
#include <cmath>
#include <sstream>

#include "TestSupport.h"
#include "platform/Cp932.h"
#include "plot/PlotNames.h"

namespace {

// Three decays a*exp(-x/t)+c with their errors; a ready model guessed
// afresh for each, weighted. The report on standard output is read by a
// second program (awk) as the table it says it is, and the report file
// holds the same bytes. The points lie on the curves: chi^2 is 0 to
// rounding.
TEST(KurvoBatch, FitReportOfEveryFile) {
    TestDir dir;
    QStringList files;
    for (int k = 1; k <= 3; ++k) {
        std::ostringstream data;
        data.precision(17);
        for (int i = 0; i < 30; ++i) {
            const double x = i * 0.5;
            data << x << " " << k * 4.0 * std::exp(-x / 2.5) + 0.5 << " 0.01\n";
        }
        files << QString::fromStdString(dir.Write("run" + std::to_string(k) + ".dat", data.str()));
    }
    const QString config = QString::fromStdString(dir.Write(
        "decay.kvc", "[Plot]\r\nLineImage1->Hokan=" + *Utf8ToCp932(NameOf(CurveMethod::Formula)) +
                         "\r\nLineImage1->Formula=a*exp(-x/t)+c\r\nLineImage1->ErrorY=3\r\n"
                         "LineImage1->Weight=1\r\n[CheckBox]\r\nLineCheck2=0\r\n"));
    QProcess batch;
    batch.setWorkingDirectory(QString::fromStdString(dir.Root()));
    batch.start(KURVO_BATCH, QStringList{"--config", config, "--fit-report", "-"} + files);
    ASSERT_TRUE(batch.waitForFinished(60000));
    EXPECT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();
    const QByteArray report = batch.readAllStandardOutput();
    EXPECT_TRUE(report.startsWith("file\tseries\tcurve\tparameter\tvalue\tstandard_error\n"));

    QProcess awk;
    awk.start("awk", {"-F", "\t",
                      "NR > 1 && NF != 6 { print \"bad row \" NR } "
                      "$4 == \"a\" || $4 == \"t\" || $4 == \"CHI2\" "
                      "{ v = $5; if ($4 == \"CHI2\" && v < 1e-12) v = 0; "
                      "printf \"%s %s %.6g\\n\", $1, $4, v }"});
    awk.write(report);
    awk.closeWriteChannel();
    ASSERT_TRUE(awk.waitForFinished(60000));
    std::string expected;
    for (int k = 1; k <= 3; ++k) {
        const std::string file = files[k - 1].toStdString();
        expected +=
            file + " a " + std::to_string(4 * k) + "\n" + file + " t 2.5\n" + file + " CHI2 0\n";
    }
    EXPECT_EQ(awk.readAllStandardOutput().toStdString(), expected);

    QProcess toFile;
    toFile.setWorkingDirectory(QString::fromStdString(dir.Root()));
    toFile.start(KURVO_BATCH, QStringList{"--config", config, "--fit-report", "fits.tsv"} + files);
    ASSERT_TRUE(toFile.waitForFinished(60000));
    EXPECT_EQ(toFile.exitCode(), 0);
    EXPECT_EQ(ReadWholeFile(dir.Path("fits.tsv")), report.toStdString());
}

}  // namespace
