// The print frame both printouts share: the print stamp, the date and footer
// lines, and the command around the page content.
#include <QPushButton>
#include <gtest/gtest.h>
#include <stdexcept>

#include "testsupport/fake_platform.h"
#include "ui/print/printout.h"

namespace lunomat::test {
namespace {

struct StampCase {
    QDateTime clock;
    QString dateFormat;
    QString date;
    int hour;
    QString minute;
};

TEST(PrintStamp, IsTakenFromTheClockWhateverTheRegionalFormat) {
    const StampCase cases[] = {
        {QDateTime(QDate(2026, 12, 5), QTime(9, 7)), "dd.MM.yyyy", "05.12.2026", 9, "07"},
        {QDateTime(QDate(2026, 12, 5), QTime(14, 0)), "dd.MM.yyyy", "05.12.2026", 14, "00"},
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
}

TEST(PrintLines, DateAndFooterLines) {
    const PrintStamp morning{"05.12.2026", 9, "07", 2026};
    EXPECT_EQ(printDateLine(morning, "   Variante "),
              QStringLiteral("Druckdatum:    05.12.2026  (9.07 Uhr)           für Datenausdruck  -  Luno-Mat"
                             "   Variante 1.0.5"));
    const PrintStamp afternoon{"05.12.2026", 14, "00", 2026};
    EXPECT_EQ(printDateLine(afternoon, "   V. "),
              QStringLiteral("Druckdatum:    05.12.2026  (14.00 Uhr)           für Datenausdruck  -  Luno-Mat"
                             "   V. 1.0.5"));
    EXPECT_EQ(printFooterLine(2031), QStringLiteral(" Luno-Mat - Version 1.0.5  © 2007-2031 Luno-Mat"));
}

// A window with the two buttons of a print command.
struct PrintWindow {
    QWidget window;
    QPushButton* ok = new QPushButton(&window);
    QPushButton* print = new QPushButton(&window);
    bool buttonsEnabled() const { return ok->isEnabled() && print->isEnabled(); }
    bool buttonsDisabled() const { return !ok->isEnabled() && !print->isEnabled(); }
};

TEST(PrintCommand, PrintsTheContentThenEndsTheDocument) {
    FakePlatform platform;
    PrintWindow w;
    QStringList steps;
    bool disabledWhilePrinting = false;
    runPrintCommand(
        platform, &w.window, {w.ok, w.print},
        [&](LinePrinter& p, const PrintStamp& stamp) {
            disabledWhilePrinting = w.buttonsDisabled();
            steps << "content";
            p.printLine(stamp.date);
        },
        [&] { steps << QString("after%1").arg(platform.printOps.size()); });
    EXPECT_TRUE(disabledWhilePrinting);
    EXPECT_TRUE(w.buttonsEnabled());
    // After the dialog (nothing printed yet), then after the end of document.
    EXPECT_EQ(steps, QStringList({"after0", "content", "after2"}));
    ASSERT_EQ(platform.printOps.size(), 2u);
    EXPECT_EQ(platform.printOps[0].text, "05.12.2026");
    EXPECT_EQ(platform.printOps[1].op, "end");
    EXPECT_EQ(platform.kinds(), QStringList({"printDialog"}));
}

// The stamp belongs to the press of the button, not to the moment the user
// closes the print dialog.
TEST(PrintCommand, StampIsTakenBeforeTheDialog) {
    FakePlatform platform;
    platform.clock = QDateTime(QDate(2026, 12, 31), QTime(22, 58));
    platform.onPrintDialog = [&] { platform.clock = platform.clock.addSecs(3 * 3600); };
    PrintWindow w;
    PrintStamp seen;
    runPrintCommand(platform, &w.window, {w.ok, w.print}, [&](LinePrinter&, const PrintStamp& s) { seen = s; });
    EXPECT_EQ(seen.date, "31.12.2026");
    EXPECT_EQ(seen.hour, 22);
    EXPECT_EQ(seen.minute, "58");
}

TEST(PrintCommand, CancelledDialogEndsSilently) {
    FakePlatform platform;
    platform.printDialog = FakePlatform::Dialog::Cancel;
    PrintWindow w;
    int contentRuns = 0, afterRuns = 0;
    runPrintCommand(
        platform, &w.window, {w.ok, w.print}, [&](LinePrinter&, const PrintStamp&) { ++contentRuns; },
        [&] { ++afterRuns; });
    EXPECT_EQ(contentRuns, 0);
    EXPECT_EQ(afterRuns, 0);
    EXPECT_TRUE(platform.printOps.empty());
    EXPECT_EQ(platform.kinds(), QStringList({"printDialog"}));
    EXPECT_TRUE(w.buttonsEnabled());
}

TEST(PrintCommand, AnyFailureGivesOneUntitledBoxAndNoFurtherPrinting) {
    // Failing at the first, a middle and the end-of-document operation, and
    // an error of another kind thrown by the content itself.
    for (int failAt : {0, 2, 3, -2}) {
        FakePlatform platform;
        platform.failAtPrintOp = failAt >= 0 ? failAt : -1;
        PrintWindow w;
        int afterRuns = 0;
        bool enabledInBox = true;
        platform.onBox = [&](const PlatformEvent&) { enabledInBox = w.buttonsEnabled(); };
        runPrintCommand(
            platform, &w.window, {w.ok, w.print},
            [&](LinePrinter& p, const PrintStamp&) {
                p.setFontName("Arial");
                p.printLine("eins");
                if (failAt == -2) throw std::runtime_error("content failed");
                p.printLine("zwei");
            },
            [&] { ++afterRuns; });
        SCOPED_TRACE(failAt);
        EXPECT_EQ(platform.count("box"), 1);
        const PlatformEvent* box = platform.lastBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon, MessageIcon::Critical);
        EXPECT_TRUE(box->title.isEmpty());
        EXPECT_EQ(box->text, QStringLiteral("Bei der Druckausgabe ist es zu Problemen gekommen."));
        EXPECT_EQ(platform.printOps.size(), size_t(failAt >= 0 ? failAt : 2));
        EXPECT_EQ(afterRuns, 1);  // only the one after the dialog
        EXPECT_FALSE(enabledInBox);
        EXPECT_TRUE(w.buttonsEnabled());
    }
}

}  // namespace
}  // namespace lunomat::test
