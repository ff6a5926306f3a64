#pragma once
// The real printer path for window tests: a print dialog that chooses a PDF
// file on A4, and the text poppler reads back from it.

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QDir>
#include <QTemporaryDir>

#include "testsupport/fake_platform.h"
#include "ui/print/painter_line_printer.h"

namespace lunomat::test {

// Runs of white space as one blank, so that a printed line can be found in
// the text whatever the PDF's spacing.
inline QString squeezed(QString text) { return text.replace(QRegularExpression(R"(\s+)"), " "); }

class PdfPlatform : public FakePlatform {
public:
    QTemporaryDir dir;
    QString file = dir.filePath("job.pdf");

    std::unique_ptr<LinePrinter> choosePrinter(QWidget*) override {
        events.push_back({"printDialog", {}, {}, {}});
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
        printer->setPageSize(QPageSize(QPageSize::A4));
        return std::make_unique<PainterLinePrinter>(std::move(printer));
    }

    // The squeezed text of the file, empty when poppler cannot read it.
    QString text() const {
        QProcess p;
        p.start("pdftotext", {"-layout", file, "-"});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
        return squeezed(QString::fromUtf8(p.readAllStandardOutput()));
    }
};

}  // namespace lunomat::test
