// The print frame both printouts share (stamp, date and footer lines, the
// command around the page) and the real printer writing PDF files that
// poppler reads back, including files that cannot be written whole.
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/resource.h>

#include "testsupport/fake_platform.h"
#include "testsupport/pdf_platform.h"
#include "ui/print/printout.h"

namespace lunomat::test {
namespace {

const QString kFailure = QStringLiteral("Bei der Druckausgabe ist es zu Problemen gekommen.");

TEST(PrintStamp, IsTakenFromTheClockWhateverTheRegionalFormat) {
    const struct {
        QDateTime clock;
        QString dateFormat, date;
        int hour;
        QString minute;
    } cases[] = {
        {QDateTime(QDate(2026, 12, 5), QTime(9, 7)), "dd.MM.yyyy", "05.12.2026", 9, "07"},
        {QDateTime(QDate(2030, 1, 31), QTime(0, 59)), "dd.MM.yyyy", "31.01.2030", 0, "59"},
        // Short formats whose fixed character places hold no four-digit year.
        {QDateTime(QDate(2026, 12, 6), QTime(23, 5)), "M/d/yy", "06.12.2026", 23, "05"},
        {QDateTime(QDate(2026, 3, 4), QTime(8, 30)), "dd.MM.yy", "04.03.2026", 8, "30"},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.clock = c.clock;
        platform.dateFormat = c.dateFormat;
        const PrintStamp stamp = takePrintStamp(platform);
        EXPECT_EQ(stamp.date, c.date) << c.dateFormat.toStdString();
        EXPECT_EQ(stamp.hour, c.hour);
        EXPECT_EQ(stamp.minute, c.minute);
        EXPECT_EQ(stamp.year, c.clock.date().year());
    }
    EXPECT_EQ(printDateLine({"05.12.2026", 14, "00", 2026}, "   V. "),
              "Druckdatum:    05.12.2026  (14.00 Uhr)           für Datenausdruck  -  Luno-Mat   V. 1.0.5");
    EXPECT_EQ(printFooterLine(2031), " Luno-Mat - Version 1.0.5  © 2007-2031 Luno-Mat");
}

// The command around the content: buttons off meanwhile and on again on
// every path, the stamp of the button press, one untitled box on failure
// and no printing call after it.
TEST(PrintCommand, EveryPathEndsWithTheButtonsOnAndAtMostOneBox) {
    const struct {
        const char* name;
        FakePlatform::Dialog dialog;
        int failAt;          // printer operation that throws, -1 none
        bool contentThrows;  // another kind of error from the content
        QStringList kinds;
        int ops, afterRuns;
    } cases[] = {
        {"printed", FakePlatform::Dialog::Print, -1, false, {"printDialog"}, 4, 2},
        {"cancelled", FakePlatform::Dialog::Cancel, -1, false, {"printDialog"}, 0, 0},
        {"first op fails", FakePlatform::Dialog::Print, 0, false, {"printDialog", "box"}, 0, 1},
        {"middle op fails", FakePlatform::Dialog::Print, 2, false, {"printDialog", "box"}, 2, 1},
        {"end of document fails", FakePlatform::Dialog::Print, 3, false, {"printDialog", "box"}, 3, 1},
        {"content throws", FakePlatform::Dialog::Print, -1, true, {"printDialog", "box"}, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.clock = QDateTime(QDate(2026, 12, 31), QTime(22, 58));
        platform.onPrintDialog = [&] { platform.clock = platform.clock.addSecs(3 * 3600); };
        platform.printDialog = c.dialog;
        platform.failAtPrintOp = c.failAt;
        QWidget window;
        auto* ok = new QPushButton(&window);
        auto* print = new QPushButton(&window);
        bool offWhilePrinting = true, offInBox = true;
        platform.onBox = [&](const PlatformEvent&) { offInBox = !ok->isEnabled() && !print->isEnabled(); };
        int afterRuns = 0;
        runPrintCommand(
            platform, &window, {ok, print},
            [&](LinePrinter& p, const PrintStamp& stamp) {
                offWhilePrinting = !ok->isEnabled() && !print->isEnabled();
                p.setFontName("Arial");
                p.printLine(stamp.date + ' ' + QString::number(stamp.hour) + '.' + stamp.minute);
                if (c.contentThrows) throw std::runtime_error("content failed");
                p.printLine("zwei");
            },
            [&] { ++afterRuns; });
        EXPECT_EQ(platform.kinds(), c.kinds);
        EXPECT_EQ(int(platform.printOps.size()), c.ops);
        EXPECT_EQ(afterRuns, c.afterRuns);
        EXPECT_TRUE(offWhilePrinting && offInBox);
        EXPECT_TRUE(ok->isEnabled() && print->isEnabled());
        if (c.ops > 1) {
            EXPECT_EQ(platform.printOps[1].text, "31.12.2026 22.58");
        }
        if (const PlatformEvent* box = platform.lastBox()) {
            EXPECT_EQ(box->icon, MessageIcon::Critical);
            EXPECT_EQ(box->title, "");
            EXPECT_EQ(box->text, kFailure);
        }
    }
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& file) {
    const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(run("pdfinfo", {file}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// 150 lines of 12 pt need three A4 pages; each starts 1200 twips (60 pt)
// from the paper's left edge, the first near the top.
void longPage(LinePrinter& p, const PrintStamp&) {
    p.setFontName("Arial");
    p.setFontSize(12);
    p.setLayout(-1200, -100);
    p.setLayout(1200, 100);
    for (int i = 1; i <= 150; ++i) p.printLine(QString("Zeile %1 Ende").arg(i));
    p.setBold(true);
    p.drawRule(9800);
}

TEST(PdfPrinter, LongContentContinuesOnFurtherPagesWithNothingLost) {
    PdfPlatform platform;
    QWidget window;
    runPrintCommand(platform, &window, {}, longPage);
    ASSERT_EQ(platform.count("box"), 0);
    EXPECT_EQ(pdfPages(platform.file), 3);
    const QString text = platform.text();
    for (int i = 1; i <= 150; ++i) EXPECT_TRUE(text.contains(QString("Zeile %1 Ende").arg(i))) << i;
    const QString bbox = run("pdftotext", {"-bbox", "-l", "1", platform.file, "-"});
    const auto m = QRegularExpression(R"re(xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>Zeile<)re").match(bbox);
    ASSERT_TRUE(m.hasMatch());
    EXPECT_NEAR(m.captured(1).toDouble(), 60.0, 3.0);
    EXPECT_LT(m.captured(2).toDouble(), 120.0);
    EXPECT_EQ(QFileInfo(platform.file).permissions() & QFile::ReadOther, QFile::ReadOther);
    EXPECT_EQ(platform.dir.path(), QFileInfo(platform.file).path());
    EXPECT_EQ(QDir(platform.dir.path()).entryList(QDir::Files), QStringList{"job.pdf"});
}

// A file that cannot be written whole gives the message and leaves the
// target as it was: no file, or the older file untouched.
TEST(PdfPrinter, AFileThatCannotBeWrittenWholeGivesTheMessageAndNoDamagedFile) {
    const struct {
        const char* name;
        rlim_t sizeLimit;  // bytes one file may grow to; 0 for none
        bool olderFile;
        bool missingFolder;
    } cases[] = {
        {"full file system", 4000, false, false},
        {"full file system over an older file", 4000, true, false},
        {"folder gone", 0, false, true},
    };
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PdfPlatform platform;
        if (c.missingFolder) platform.file = platform.dir.filePath("gone/job.pdf");
        if (c.olderFile) {
            QFile older(platform.file);
            ASSERT_TRUE(older.open(QIODevice::WriteOnly));
            older.write("ältere Datei");
        }
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        if (c.sizeLimit) {
            rlimit limited = before;
            limited.rlim_cur = c.sizeLimit;
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        }
        QWidget window;
        runPrintCommand(platform, &window, {}, longPage);
        setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_EQ(platform.kinds(), QStringList({"printDialog", "box"}));
        EXPECT_EQ(platform.lastBox()->text, kFailure);
        QFile target(platform.file);
        if (c.olderFile) {
            ASSERT_TRUE(target.open(QIODevice::ReadOnly));
            EXPECT_EQ(target.readAll(), QByteArray("ältere Datei"));
        } else {
            EXPECT_FALSE(target.exists());
        }
        EXPECT_EQ(QDir(platform.dir.path()).entryList(QDir::Files).size(), c.olderFile ? 1 : 0);
    }
}

}  // namespace
}  // namespace lunomat::test
