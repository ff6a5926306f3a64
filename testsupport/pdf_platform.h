#pragma once
// The real printer path for window tests: a print dialog that chooses a PDF
// file on A4, and the text poppler reads back from it.

#include <sys/resource.h>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "testsupport/fake_platform.h"
#include "ui/print/painter_line_printer.h"

namespace lunomat::test {

// Runs of white space as one blank, so that a printed line can be found in
// the text whatever the PDF's spacing.
inline QString squeezed(QString text) { return text.replace(QRegularExpression(R"(\s+)"), " "); }

// Runs `job` as on a file system that fills up: no file may grow past
// `bytes`, and a write past that fails instead of ending the process.
inline bool withFileSizeLimit(rlim_t bytes, const std::function<void()>& job) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit limited{bytes, before.rlim_max};
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0) return false;
    job();
    setrlimit(RLIMIT_FSIZE, &before);
    return true;
}

// A printer that writes `file` as PDF on A4, as the print dialog sets it up.
inline std::unique_ptr<QPrinter> pdfPrinter(const QString& file) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

class PdfPlatform : public FakePlatform {
public:
    QTemporaryDir dir;
    QString file = dir.filePath("job.pdf");

    std::unique_ptr<LinePrinter> choosePrinter(QWidget*) override {
        events.push_back({"printDialog", {}, {}, {}});
        return std::make_unique<PainterLinePrinter>(pdfPrinter(file));
    }

    // The squeezed text of the file, empty when poppler cannot read it.
    QString text() const {
        QProcess p;
        p.start("pdftotext", {"-layout", file, "-"});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
        return squeezed(QString::fromUtf8(p.readAllStandardOutput()));
    }

    // Every word of the file with its box in points, as poppler's XHTML.
    QString wordBoxes() const {
        QProcess p;
        p.start("pdftotext", {"-bbox", file, "-"});
        return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
    }
};

}  // namespace lunomat::test
