#pragma once
// The line printer both printouts write to: whole lines from the left margin
// in a chosen font, straight rules, and one end-of-document call. Any failure
// throws PrintError; the print command catches it, reports it once and makes
// no further printing call.

#include <QString>
#include <stdexcept>

namespace lunomat {

class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class LinePrinter {
public:
    virtual ~LinePrinter() = default;
    virtual void setFontName(const QString& family) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setBold(bool on) = 0;
    virtual void setUnderline(bool on) = 0;
    // One pair of layout values in twips, as the printouts set them:
    // (-1200, -100) moves the page origin, (1200, 100) the current position.
    virtual void setLayout(int xTwips, int yTwips) = 0;
    // Prints text at the current position and moves to the start of the next
    // line; an empty text gives an empty line. A line that would run past the
    // printable height continues on a new page.
    virtual void printLine(const QString& text) = 0;
    // A straight line from the current position lengthTwips to the right.
    virtual void drawRule(int lengthTwips) = 0;
    // Ends the document and sends the job.
    virtual void endDocument() = 0;
};

}  // namespace lunomat
