#pragma once
// The real line printer: draws the printouts' lines and rules with a QPainter
// on a QPrinter (a paper printer or a PDF file).

#include <QFont>
#include <QPainter>
#include <QPrintDialog>
#include <memory>

#include "ui/platform/line_printer.h"

class QPrinter;

namespace lunomat {

class PainterLinePrinter : public LinePrinter {
public:
    // Takes the printer over (the print dialog's choice).
    explicit PainterLinePrinter(std::unique_ptr<QPrinter> printer);
    // A job that was started but not ended is abandoned, never sent half;
    // a PDF file that was not completed leaves the target as it was.
    ~PainterLinePrinter() override;

    PainterLinePrinter(const PainterLinePrinter&) = delete;
    PainterLinePrinter& operator=(const PainterLinePrinter&) = delete;

    void setFontName(const QString& family) override;
    void setFontSize(double points) override;
    void setBold(bool on) override;
    void setUnderline(bool on) override;
    void setLayout(int xTwips, int yTwips) override;
    void printLine(const QString& text) override;
    void drawRule(int lengthTwips) override;
    void endDocument() override;

private:
    void begin();
    void finishFile();
    void newPageIfPast(double bottom);
    double twipsToDevice(double twips) const;
    QFont currentFont() const;

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    bool begun_ = false;
    bool ended_ = false;
    // A PDF job is made in an anonymous file (partial_, a descriptor) and
    // written to its target only when it is complete.
    QString target_;
    int partial_ = -1;

    QString family_;
    double points_ = 10;
    bool bold_ = false;
    bool underline_ = false;

    // Device coordinates: (0,0) is the top-left corner of the printable area.
    double marginX_ = 0;  // where every line starts
    double x_ = 0;
    double y_ = 0;     // top of the next line
    double topY_ = 0;  // where a continuation page starts
};

// Qt's print dialog. Its check whether the chosen file can be written (when
// OK is pressed, before accept()) opens the file and removes it again when
// it was new; through a link whose target does not exist yet that leaves an
// empty file at the target and removes the link instead. Here the link is
// put back and the empty file removed.
class PrintDialog : public QPrintDialog {
public:
    explicit PrintDialog(QPrinter* printer, QWidget* parent = nullptr);
    void accept() override;

private:
    // The chosen name while it is a link to a file yet to be made.
    void noteLink(const QString& name);
    QByteArray link_, linkText_, target_;
};

// Shows Qt's print dialog; the printer chosen there, or nullptr when the
// dialog was cancelled or the printer cannot be used.
std::unique_ptr<LinePrinter> showPrintDialog(QWidget* parent);

}  // namespace lunomat
