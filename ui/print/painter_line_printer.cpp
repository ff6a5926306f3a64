#include "ui/print/painter_line_printer.h"

#include <unistd.h>
#include <QFile>
#include <QFontMetricsF>
#include <QPen>
#include <QPrinter>
#include <algorithm>
#include <utility>

#include "files/file_writer.h"

#include "ui/widgets/ui_conventions.h"

namespace lunomat {

// Page geometry of the layout values. The printouts send two kinds of pair:
//  - an origin pair, x negative, e.g. (-1200, -100) or (-1200, 100): every
//    line from now on starts -x twips from the left edge of the paper (never
//    left of the printable area). Its y value moves nothing: the lines that
//    are already on the page stay where they are and the next line follows
//    them, so a second origin pair in mid-page cannot make lines overprint.
//  - a position pair, x not negative, e.g. (1200, 100): the next line starts
//    x twips from the left edge of the paper and y twips below the top of
//    the printable area; a continuation page starts at that height too.
// With the values the printouts use, the text stands about 1200 twips
// (2.1 cm) from the left paper edge and 100 twips below the top of the
// printable area.

PainterLinePrinter::PainterLinePrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    family_ = designFont(QStringLiteral("Arial"), 10).family();
}

PainterLinePrinter::~PainterLinePrinter() {
    if (painter_.isActive()) {
        printer_->abort();
        painter_.end();
    }
    // The printer dies with this object, so its output name, the anonymous
    // file, is not put back.
    if (partial_ >= 0) ::close(partial_);
}

namespace {
// A PDF file is complete when its last bytes hold the end-of-file marker;
// a write that failed (full disk, size limit) cuts it off before that.
bool completePdf(int fd) {
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size < 16) return false;
    QByteArray tail(64, '\0');
    const ssize_t n = ::pread(fd, tail.data(), tail.size(), std::max<off_t>(0, size - tail.size()));
    return n > 0 && tail.left(n).contains("%%EOF");
}
}  // namespace

void PainterLinePrinter::finishFile() {
    if (partial_ < 0) return;
    const int partial = std::exchange(partial_, -1);
    struct Closed {
        int fd;
        ~Closed() { ::close(fd); }
    } closed{partial};
    if (!completePdf(partial)) throw PrintError("the file could not be written completely");
    // The finished document reaches the file the way any file the program
    // writes does: a regular file keeps its mode, owner and links, a link
    // leads to its target, a device is written into.
    try {
        files::WriteFileFrom(QFile::encodeName(target_).toStdString(), partial);
    } catch (const files::WriteError& e) {
        throw PrintError(e.what());
    }
}

void PainterLinePrinter::begin() {
    if (ended_) throw PrintError("the document has already ended");
    if (!begun_) {
        begun_ = true;
        if (!printer_) throw PrintError("no printer");
        if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) {
            // The document is made in a file without a name, so no half
            // document is ever seen under the target's name or left beside
            // it, whatever ends the program.
            target_ = printer_->outputFileName();
            partial_ = files::OpenAnonymousFile();
            if (partial_ < 0) throw PrintError("the document cannot be made");
            printer_->setOutputFileName(QStringLiteral("/proc/self/fd/%1").arg(partial_));
        }
        if (!painter_.begin(printer_.get())) throw PrintError("the printer cannot start the job");
        painter_.setPen(QPen(Qt::black));
    }
    if (!painter_.isActive() || printer_->printerState() == QPrinter::Error)
        throw PrintError("the printer stopped the job");
}

double PainterLinePrinter::twipsToDevice(double twips) const { return twips * printer_->resolution() / 1440.0; }

QFont PainterLinePrinter::currentFont() const {
    QFont f(family_);
    f.setPointSizeF(std::max(1.0, points_));  // real points on paper
    f.setBold(bold_);
    f.setUnderline(underline_);
    return f;
}

void PainterLinePrinter::newPageIfPast(double bottom) {
    const double height = printer_->pageRect(QPrinter::DevicePixel).height();
    // A page that holds nothing yet takes even an oversized line; otherwise
    // the job would ask for new pages without end.
    if (bottom <= height || y_ <= topY_) return;
    if (!printer_->newPage()) throw PrintError("the printer cannot start a new page");
    y_ = topY_;
    begin();  // the painter must still be active on the new page
}

void PainterLinePrinter::setFontName(const QString& family) {
    begin();
    // The same replacement families as on screen.
    family_ = designFont(family, 10).family();
}

void PainterLinePrinter::setFontSize(double points) {
    begin();
    points_ = points;
}

void PainterLinePrinter::setBold(bool on) {
    begin();
    bold_ = on;
}

void PainterLinePrinter::setUnderline(bool on) {
    begin();
    underline_ = on;
}

void PainterLinePrinter::setLayout(int xTwips, int yTwips) {
    begin();
    const double paperLeft = printer_->pageRect(QPrinter::DevicePixel).left();
    const double x = std::max(0.0, twipsToDevice(std::abs(xTwips)) - paperLeft);
    if (xTwips < 0) {
        marginX_ = x;
    } else {
        x_ = x;
        y_ = topY_ = std::max(0.0, twipsToDevice(yTwips));
    }
}

void PainterLinePrinter::printLine(const QString& text) {
    begin();
    const QFont font = currentFont();
    const QFontMetricsF metrics(font, printer_.get());
    newPageIfPast(y_ + metrics.height());
    if (!text.isEmpty()) {
        painter_.setFont(font);
        painter_.drawText(QPointF(x_, y_ + metrics.ascent()), text);
    }
    y_ += metrics.lineSpacing();
    x_ = marginX_;
}

void PainterLinePrinter::drawRule(int lengthTwips) {
    begin();
    newPageIfPast(y_);
    painter_.setPen(QPen(Qt::black, std::max(1.0, twipsToDevice(15))));
    painter_.drawLine(QPointF(x_, y_), QPointF(x_ + twipsToDevice(lengthTwips), y_));
}

void PainterLinePrinter::endDocument() {
    begin();
    ended_ = true;
    if (!painter_.end() || printer_->printerState() == QPrinter::Error)
        throw PrintError("the printer did not take the job");
    finishFile();
}

}  // namespace lunomat
