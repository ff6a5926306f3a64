// The print frame both printouts share (stamp, date and footer lines, the
// command around the page) and the real printer writing PDF files that
// poppler reads back, including files that cannot be written whole.
#include "testsupport/pdf_platform.h"
#include "testsupport/ui_test.h"
#include "ui/print/printout.h"

namespace lunomat::test {

const QString kFailure = QStringLiteral("Bei der Druckausgabe ist es zu Problemen gekommen.");

// The stamp comes from the clock, also under short formats whose fixed
// character places hold no four-digit year; the printouts' recordings show
// how it is printed.
TEST(PrintStamp, IsTakenFromTheClockWhateverTheRegionalFormat) {
    for (const QStringList& c : readCases("ui/print/stamps.tsv", 3)) {
        FakePlatform platform;
        platform.clock = QDateTime::fromString(c[0], "dd.MM.yyyy HH:mm");
        platform.dateFormat = c[1];
        const PrintStamp s = takePrintStamp(platform);
        EXPECT_EQ(QStringList({s.date, QString::number(s.hour), s.minute, QString::number(s.year)}),
                  c.mid(2) << c[0].mid(6, 4));
    }
}

// The command around the content: buttons off meanwhile and on again on
// every path, the stamp of the button press, one untitled box on failure
// and no printing call after it.
TEST(PrintCommand, EveryPathEndsWithTheButtonsOnAndAtMostOneBox) {
    for (const QStringList& c : readCases("ui/print/commands.tsv", 6)) {
        SCOPED_TRACE(c[0].toStdString());
        const bool opFails = c[0].front().isDigit();
        FakePlatform platform;
        platform.clock = QDateTime(QDate(2026, 12, 31), QTime(22, 58));
        platform.onPrintDialog = [&] { platform.clock = platform.clock.addSecs(3 * 3600); };
        platform.printDialog = c[0] == "cancel" ? FakePlatform::Dialog::Cancel : FakePlatform::Dialog::Print;
        platform.failAtPrintOp = opFails ? c[0].toInt() : -1;
        QWidget window;
        auto *ok = new QPushButton(&window), *print = new QPushButton(&window);
        bool offMeanwhile = true;  // while printing and while the box is open
        platform.onBox = [&](const PlatformEvent&) { offMeanwhile &= !ok->isEnabled() && !print->isEnabled(); };
        int afterRuns = 0;
        const auto content = [&](LinePrinter& p, const PrintStamp& stamp) {
            offMeanwhile &= !ok->isEnabled() && !print->isEnabled();
            p.setFontName("Arial");
            p.printLine(stamp.date + ' ' + QString::number(stamp.hour) + '.' + stamp.minute);
            if (c[0] == "throw") throw std::runtime_error("content failed");
            p.printLine("zwei");
        };
        runPrintCommand(platform, &window, {ok, print}, content, [&] { ++afterRuns; });
        const bool fails = opFails || c[0] == "throw";
        EXPECT_EQ(platform.kinds(), fails ? QStringList({"printDialog", "box"}) : QStringList{"printDialog"});
        EXPECT_EQ(QString("%1 %2").arg(platform.printOps.size()).arg(afterRuns), c[1] + ' ' + c[2]);
        EXPECT_TRUE(offMeanwhile && ok->isEnabled() && print->isEnabled());
        // The stamp is the clock's before the print dialog took three hours.
        EXPECT_TRUE(c[1].toInt() < 2 || platform.printOps[1].text == "31.12.2026 22.58");
        const PlatformEvent* box = platform.lastBox();
        EXPECT_TRUE(!box || (box->icon == MessageIcon::Critical && box->title.isEmpty() && box->text == kFailure));
    }
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

TEST(PdfPrinter, LongContentContinuesOnFurtherPagesAndAFileThatCannotBeWrittenWholeIsNoDamagedFile) {
    PdfPlatform platform;
    runPrintCommand(platform, nullptr, {}, longPage);
    ASSERT_EQ(platform.count("box"), 0);
    const QString text = platform.text();
    for (int i = 1; i <= 150; ++i) EXPECT_TRUE(text.contains(QString("Zeile %1 Ende").arg(i))) << i;
    const QString boxes = platform.wordBoxes();
    const auto m = QRegularExpression(R"re(xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>Zeile<)re").match(boxes);
    ASSERT_TRUE(m.hasMatch());
    EXPECT_TRUE(boxes.count("<page ") == 3 && m.captured(2).toDouble() < 120.0);
    EXPECT_NEAR(m.captured(1).toDouble(), 60.0, 3.0);
    EXPECT_EQ(QFileInfo(platform.file).permissions() & QFile::ReadOther, QFile::ReadOther);
    EXPECT_EQ(QDir(platform.dir.path()).entryList(QDir::Files), QStringList{"job.pdf"});

    // A job starts with its first line and takes nothing after its end.
    std::unique_ptr<LinePrinter> printer = platform.choosePrinter(nullptr);
    printer->printLine("Erste Zeile");
    printer->endDocument();
    EXPECT_THROW(printer->printLine("nach dem Ende"), PrintError);
    EXPECT_THROW(printer->drawRule(100), PrintError);
    EXPECT_EQ(platform.text().trimmed(), "Erste Zeile");

    // A file system that fills up while the document is made gives the message
    // and leaves the target as it was: no file, or the older file untouched.
    // (The other places a file cannot go are the files tests' cases, run
    // against this printer too.)
    for (const QByteArray& older : {QByteArray(), QByteArray("ältere Datei")}) {  // the file there before, if any
        SCOPED_TRACE(older.constData());
        PdfPlatform filling;
        QFile target(filling.file);
        ASSERT_TRUE(older.isEmpty() || (target.open(QIODevice::WriteOnly) && target.write(older) && target.flush()));
        target.close();
        ASSERT_TRUE(withFileSizeLimit(4000, [&] { runPrintCommand(filling, nullptr, {}, longPage); }));
        EXPECT_EQ(filling.kinds(), QStringList({"printDialog", "box"}));  // the box's text is the print command's
        EXPECT_EQ(target.open(QIODevice::ReadOnly) ? target.readAll() : QByteArray("<none>"),
                  older.isEmpty() ? QByteArray("<none>") : older);
        EXPECT_EQ(QDir(filling.dir.path()).entryList(QDir::Files).size(), older.isEmpty() ? 0 : 1);
    }
    // A job whose content fails half way is abandoned: no file, not half a one.
    PdfPlatform halfWay;
    runPrintCommand(halfWay, nullptr, {}, [](LinePrinter& p, const PrintStamp&) {
        p.printLine("halb");
        throw PrintError("content failed");
    });
    EXPECT_TRUE(halfWay.count("box") == 1 && QDir(halfWay.dir.path()).isEmpty());
}

// The dialog's check of the chosen file leaves a link to a file yet to be
// made as it was: still a link, and no empty file where it leads.
TEST(PrintDialog, CheckingTheChosenFileLeavesALinkToANewFileAsItWas) {
    QTemporaryDir dir;
    const QString link = dir.filePath("mond.pdf");
    ASSERT_TRUE(QFile::link("ziel.pdf", link));
    const std::unique_ptr<QPrinter> printer = pdfPrinter(link);
    PrintDialog dialog(printer.get());
    dialog.show();
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System), QStringList{"mond.pdf"});
}

}  // namespace lunomat::test
