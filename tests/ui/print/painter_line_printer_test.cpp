// The real line printer, rendering into PDF files that poppler reads back.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ui/print/painter_line_printer.h"

namespace lunomat::test {
namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfJob {
    QTemporaryDir dir;
    QString file = dir.filePath("job.pdf");
    QPrinter printer{QPrinter::HighResolution};
    PdfJob() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    QString text() const { return run("pdftotext", {"-layout", file, "-"}); }
    int pages() const {
        const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(run("pdfinfo", {file}));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }
};

TEST(PainterLinePrinter, LongContentContinuesOnFurtherPagesWithNothingLost) {
    PdfJob job;
    {
        PainterLinePrinter p(job.printer);
        p.setFontName("Arial");
        p.setFontSize(12);
        p.setLayout(-1200, -100);
        p.setLayout(1200, 100);
        for (int i = 1; i <= 150; ++i) p.printLine(QString("Zeile %1 Ende").arg(i));
        p.endDocument();
        EXPECT_GE(p.pageCount(), 3);
    }
    // 150 lines of 12 pt (about 14 pt each) need three A4 pages.
    EXPECT_EQ(job.pages(), 3);
    const QString text = job.text();
    for (int i = 1; i <= 150; ++i)
        EXPECT_TRUE(text.contains(QString("Zeile %1 Ende").arg(i))) << i;
}

TEST(PainterLinePrinter, TextStartsAbout1200TwipsFromThePaperEdge) {
    PdfJob job;
    {
        PainterLinePrinter p(job.printer);
        p.setFontName("Courier New");
        p.setFontSize(10);
        p.setLayout(-1200, -100);
        p.setLayout(1200, 100);
        p.printLine("Erste");
        p.setBold(true);
        p.drawRule(9800);
        p.printLine("Zweite");
        p.endDocument();
    }
    const QString bbox = run("pdftotext", {"-bbox", job.file, "-"});
    for (const char* word : {"Erste", "Zweite"}) {
        const auto m = QRegularExpression(QString(R"re(xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>%1<)re").arg(word)).match(bbox);
        ASSERT_TRUE(m.hasMatch()) << word << bbox.toStdString();
        // 1200 twips = 60 pt from the left paper edge.
        EXPECT_NEAR(m.captured(1).toDouble(), 60.0, 3.0) << word;
        EXPECT_LT(m.captured(2).toDouble(), 120.0) << word;  // near the top of the page
    }
}

TEST(PainterLinePrinter, FailuresThrowPrintError) {
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("no/such/folder/job.pdf"));
    PainterLinePrinter p(printer);
    EXPECT_THROW(p.printLine("x"), PrintError);

    PdfJob job;
    PainterLinePrinter ended(job.printer);
    ended.printLine("x");
    ended.endDocument();
    EXPECT_THROW(ended.printLine("after the end"), PrintError);
}

}  // namespace
}  // namespace lunomat::test
