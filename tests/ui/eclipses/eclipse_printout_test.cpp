// The eclipse printout: what reaches the printer, in which fonts, and how the
// command ends when the dialog is cancelled or the printer fails.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "core/eclipses.h"
#include "tests/ui/common/fake_platform.h"
#include "ui/extras/painter_line_printer.h"
#include "ui/eclipses/mondfinsternisse.h"

namespace lunomat::test {
namespace {

// The printer state in force when each line was printed.
struct PrintedLine {
    QString text;
    QString font;
    double size = 0;
    bool bold = false;
    bool underline = false;
};

std::vector<PrintedLine> replay(const std::vector<PrintOp>& ops) {
    std::vector<PrintedLine> lines;
    PrintedLine state;
    for (const PrintOp& op : ops) {
        if (op.op == "font") state.font = op.text;
        if (op.op == "size") state.size = op.number;
        if (op.op == "bold") state.bold = op.number != 0;
        if (op.op == "underline") state.underline = op.number != 0;
        if (op.op == "line") {
            state.text = op.text;
            lines.push_back(state);
        }
    }
    return lines;
}

int indexOf(const std::vector<PrintedLine>& lines, const QString& text) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].text == text) return int(i);
    return -1;
}

const QString kTableHeading = QString::fromUtf8("Nachfolgend alle Mondfinsternistermine in Mitteleuropa (BRD):");

class EclipsePrintout : public ::testing::Test {
protected:
    FakePlatform platform;
    Mondfinsternisse window{platform};

    // The 32 table lines: they follow the table heading and its blank line.
    QStringList table() const {
        const auto lines = replay(platform.printOps);
        const int heading = indexOf(lines, kTableHeading);
        QStringList out;
        if (heading < 0) return out;
        for (int i = heading + 2; i < heading + 34 && i < int(lines.size()); ++i) out << lines[i].text;
        return out;
    }
};

TEST_F(EclipsePrintout, PageContentAtNineOhSeven) {
    window.Drucker_Click();
    const auto lines = replay(platform.printOps);
    ASSERT_EQ(platform.count("printDialog"), 1);
    EXPECT_EQ(platform.count("box"), 0);

    const int dateLine = indexOf(lines, QString::fromUtf8("Druckdatum:    05.12.2026  (9.07 Uhr)           "
                                                          "für Datenausdruck  -  Luno-Mat   V. 1.0.5"));
    ASSERT_GE(dateLine, 0);
    EXPECT_EQ(lines[dateLine].size, 10);

    const int heading = indexOf(lines, QString::fromUtf8("Übersicht aller Mondfinsternisse von 1987 bis 2030"));
    ASSERT_EQ(heading, 2);
    EXPECT_EQ(lines[0].text, QString(51, ' '));
    EXPECT_TRUE(lines[heading].bold && lines[heading].underline);
    EXPECT_EQ(lines[heading].size, 19);
    EXPECT_FALSE(lines[heading + 1].bold || lines[heading + 1].underline);

    // The fixed texts keep their own spelling.
    EXPECT_GE(indexOf(lines, QString::fromUtf8("  2. Halschatten-Finsternis - Der Mond wird nur noch vom "
                                               "Halbschttenbereich der Erde verdeckt.")),
              0);
    EXPECT_GE(indexOf(lines, QString::fromUtf8("  3. Partitionelle-Finsternis - Der Mond wird nur teilweise durch "
                                               "den Kernschatten der Erde verdeckt.")),
              0);

    const QStringList rows = table();
    ASSERT_EQ(rows.size(), 32);
    EXPECT_EQ(rows[0], "14.04.1987  Halbschatten - Finsternis | 21.12.2010  Totale       - Finsternis");
    EXPECT_EQ(rows[10], QString(77, ' '));
    EXPECT_EQ(rows[11], "18.11.1994  Halbschatten - Finsternis | 27.07.2018  Totale       - Finsternis");
    EXPECT_EQ(rows[21], QString(77, ' '));
    EXPECT_EQ(rows[31], "31.12.2009  Partielle    - Finsternis | 09.12.2030  Halbschatten - Finsternis");
    for (const QString& row : rows) {
        EXPECT_EQ(row.size(), 77) << row.toStdString();
        EXPECT_TRUE(row.trimmed().isEmpty() || row[38] == '|') << row.toStdString();
    }
    const int first = indexOf(lines, rows[0]);
    for (int i = first; i < first + 32; ++i) {
        EXPECT_EQ(lines[i].font, "Courier New");
        EXPECT_EQ(lines[i].size, 10);
        EXPECT_FALSE(lines[i].bold || lines[i].underline);
    }

    const PrintedLine& footer = lines.back();
    EXPECT_EQ(footer.text.left(25), " Luno-Mat - Version 1.0.5");
    EXPECT_TRUE(footer.text.contains("2007-2026"));
    EXPECT_EQ(footer.font, "Arial");
    EXPECT_EQ(footer.size, 4);
    EXPECT_EQ(int(lines.size()) - 9, indexOf(lines, QString::fromUtf8("vor dem Ereignis der örtlichen Presse - "
                                                                      "bzw. Rundfunk oder Fernsehen.")));
    for (size_t i = lines.size() - 8; i < lines.size() - 1; ++i) EXPECT_TRUE(lines[i].text.isEmpty()) << i;
}

TEST_F(EclipsePrintout, LayoutValuesOneRuleAndOneEnd) {
    window.Drucker_Click();
    const auto& ops = platform.printOps;
    ASSERT_GE(ops.size(), 5u);
    EXPECT_EQ(ops[0].op, "font");
    EXPECT_EQ(ops[0].text, "Arial");
    EXPECT_EQ(ops[1].number, 19);
    std::vector<std::pair<int, int>> layouts;
    int rules = 0, ends = 0, linesBeforeRule = 0, lineCount = 0;
    for (const PrintOp& op : ops) {
        if (op.op == "layout") layouts.emplace_back(int(op.number), op.second);
        if (op.op == "line") ++lineCount;
        if (op.op == "rule") {
            ++rules;
            EXPECT_EQ(op.number, 9400);
            linesBeforeRule = lineCount;
        }
        ends += op.op == "end";
    }
    EXPECT_EQ(layouts, (std::vector<std::pair<int, int>>{{-1200, -100}, {1200, 100}, {-1200, 100}}));
    EXPECT_EQ(rules, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(ops.back().op, "end");
    // The rule follows the table's last row and a blank line.
    const auto lines = replay(ops);
    ASSERT_GE(linesBeforeRule, 2);
    EXPECT_EQ(lines[linesBeforeRule - 2].text, table().last());
    EXPECT_TRUE(lines[linesBeforeRule - 1].text.isEmpty());
}

TEST_F(EclipsePrintout, TableDoesNotDependOnWhatTheWindowShows) {
    window.Drucker_Click();
    const QStringList untouched = table();
    for (QLabel* cell : window.Label2) cell->setText(QStringLiteral("  01.01.1900  nichts"));
    platform.clock = QDateTime(QDate(2031, 2, 28), QTime(14, 0));
    window.Drucker_Click();
    EXPECT_EQ(table(), untouched);
    EXPECT_GE(indexOf(replay(platform.printOps),
                      QString::fromUtf8("Druckdatum:    28.02.2031  (14.00 Uhr)           "
                                        "für Datenausdruck  -  Luno-Mat   V. 1.0.5")),
              0);
    EXPECT_EQ(window.Label2[0]->text(), "  01.01.1900  nichts");  // printing leaves the cells alone
}

TEST_F(EclipsePrintout, CancelPrintsNothingSaysNothing) {
    platform.printDialog = FakePlatform::Dialog::Cancel;
    window.Drucker_Click();
    EXPECT_EQ(platform.kinds(), QStringList{"printDialog"});
    EXPECT_TRUE(platform.printOps.empty());
    EXPECT_TRUE(window.cmdOK->isEnabled());
    EXPECT_TRUE(window.Drucker->isEnabled());
}

class EclipsePrintFailure : public EclipsePrintout, public ::testing::WithParamInterface<int> {};

TEST_P(EclipsePrintFailure, OneBoxThenNoMorePrintingAndButtonsBack) {
    // Count the operations of a good job, then fail at the given one of them
    // (from the end when negative).
    window.Drucker_Click();
    const int total = int(platform.printOps.size());
    const int failAt = GetParam() >= 0 ? GetParam() : total + GetParam();
    platform.events.clear();
    platform.failAtPrintOp = failAt;
    window.Drucker_Click();
    EXPECT_EQ(int(platform.printOps.size()), failAt);
    EXPECT_EQ(platform.kinds(), (QStringList{"printDialog", "box"}));
    const PlatformEvent* box = platform.lastBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, "Bei der Druckausgabe ist es zu Problemen gekommen.");
    EXPECT_TRUE(box->title.isEmpty());
    EXPECT_EQ(box->icon, MessageIcon::Critical);
    EXPECT_TRUE(window.cmdOK->isEnabled());
    EXPECT_TRUE(window.Drucker->isEnabled());
}

// First operation, inside the table, and the end of the document.
INSTANTIATE_TEST_SUITE_P(AtSeveralPlaces, EclipsePrintFailure, ::testing::Values(0, 60, -1));

// A platform that notes the buttons' state whenever the printout reaches it.
class WatchingPlatform : public FakePlatform {
public:
    Mondfinsternisse* window = nullptr;
    std::vector<bool> enabledSeen;
    std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) override {
        note();
        return FakePlatform::choosePrinter(parent);
    }
    void messageBox(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) override {
        note();
        FakePlatform::messageBox(parent, icon, title, text);
    }
    void note() { enabledSeen.push_back(window->cmdOK->isEnabled() || window->Drucker->isEnabled()); }
};

TEST(EclipsePrintButtons, DisabledWhileTheCommandRuns) {
    WatchingPlatform platform;
    Mondfinsternisse w(platform);
    platform.window = &w;
    platform.failAtPrintOp = 3;
    w.Drucker_Click();
    EXPECT_EQ(platform.enabledSeen, (std::vector<bool>{false, false}));  // dialog and failure box
    EXPECT_TRUE(w.cmdOK->isEnabled() && w.Drucker->isEnabled());
}

TEST(EclipsePrintButtons, MnemonicsPrintAndClose) {
    FakePlatform platform;
    platform.printDialog = FakePlatform::Dialog::Cancel;
    Mondfinsternisse w(platform);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.windowHandle(), Qt::Key_D, Qt::AltModifier);
    // A mnemonic presses the button visibly first and clicks a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return platform.count("printDialog") == 1; }, 2000));
    QTest::keyClick(w.windowHandle(), Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 2000));
}

// The real painter printer writing a PDF file.
class PdfPlatform : public FakePlatform {
public:
    QString pdfPath;
    std::unique_ptr<LinePrinter> choosePrinter(QWidget*) override {
        events.push_back({"printDialog", {}, {}, {}});
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
        return std::make_unique<PainterLinePrinter>(std::move(printer));
    }
};

QString collapseBlanks(QString text) { return text.replace(QRegularExpression(" +"), " "); }

TEST(EclipsePdf, HeadingAndAllRowsReachThePaper) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PdfPlatform platform;
    platform.pdfPath = dir.filePath("finsternisse.pdf");
    Mondfinsternisse w(platform);
    w.Drucker_Click();
    ASSERT_EQ(platform.count("box"), 0);
    ASSERT_TRUE(QFileInfo::exists(platform.pdfPath));

    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", platform.pdfPath, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = collapseBlanks(QString::fromUtf8(pdftotext.readAllStandardOutput()));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Übersicht aller Mondfinsternisse von 1987 bis 2030")));
    for (int row = 0; row < kEclipsePrintRows; ++row)
        EXPECT_TRUE(text.contains(collapseBlanks(QString::fromStdString(EclipsePrintLine(row))))) << row;
}

}  // namespace
}  // namespace lunomat::test
