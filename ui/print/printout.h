#pragma once
// The frame both printouts share: buttons off, print date taken, print
// dialog, the page content, end of document, one message on failure, buttons
// on again on every path.

#include <QString>
#include <functional>
#include <initializer_list>

class QWidget;

namespace lunomat {

class LinePrinter;
class Platform;

// Date and time of a printout, taken when its button is pressed.
struct PrintStamp {
    QString date;    // TT.MM.JJJJ with four year digits
    int hour = 0;    // 0..23, printed without leading zero
    QString minute;  // two digits
    int year = 0;    // for the copyright years of the footer
};
PrintStamp takePrintStamp(const Platform& platform);

// "Druckdatum:    TT.MM.JJJJ  (H.MM Uhr)           für Datenausdruck  -  Luno-Mat"
// + versionLabel ("   Variante " or "   V. ") + "1.0.5".
QString printDateLine(const PrintStamp& stamp, const QString& versionLabel);

// " Luno-Mat - Version 1.0.5" followed by the copyright notice.
QString printFooterLine(int currentYear);

// Which of bold and underline a heading switches first. Each printout keeps
// its own order of these calls.
enum class Emphasis { BoldFirst, UnderlineFirst };

// Bold and underline on, the line, both off again.
void printHeading(LinePrinter& printer, const QString& text, Emphasis on = Emphasis::BoldFirst,
                  Emphasis off = Emphasis::BoldFirst);
void blankLines(LinePrinter& printer, int count);

// The head of a printout's page: Arial 19 with the page margins, a line of
// 51 blanks, the title, then in 10 pt the print-date line and the line naming
// the theory, each after a blank line, and two blank lines.
struct PageHead {
    QString title;
    QString versionLabel;  // "   Variante " or "   V. "
    Emphasis titleOff = Emphasis::BoldFirst;
    bool bodySizeFirst = false;  // 10 pt before the left margin is set again, or after it
};
void printPageHead(LinePrinter& printer, const PageHead& head, const PrintStamp& stamp);

// The footer line in 4 pt.
void printFooter(LinePrinter& printer, int currentYear);

// Runs one print command. `content` writes the page; it may throw
// PrintError. `afterStep` (may be empty) runs after the dialog has closed and
// again after the document has ended.
void runPrintCommand(Platform& platform, QWidget* window, std::initializer_list<QWidget*> buttons,
                     const std::function<void(LinePrinter&, const PrintStamp&)>& content,
                     const std::function<void()>& afterStep = {});

}  // namespace lunomat
