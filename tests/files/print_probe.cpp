// A printout into the PDF file named on the command line, through the same
// printer the print dialog hands out; status 1 and the reason when it fails.
// Lets the file cases run against printing just as against lunomat-cli.
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <cstdio>
#include <memory>

#include "ui/print/painter_line_printer.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) return 2;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QFile::decodeName(argv[1]));
    try {
        lunomat::PainterLinePrinter page(std::move(printer));
        for (int i = 1; i <= 60; ++i) page.printLine(QStringLiteral("Zeile %1").arg(i));
        page.endDocument();
    } catch (const lunomat::PrintError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
