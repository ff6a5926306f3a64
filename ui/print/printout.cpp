#include "ui/print/printout.h"

#include <QWidget>
#include <exception>

#include "ui/platform/line_printer.h"
#include "ui/platform/platform.h"
#include "ui/platform/version.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {

PrintStamp takePrintStamp(const Platform& platform) {
    // Everything comes from the clock itself. Cutting the year out of the
    // regional short date text breaks on formats such as "12/6/26", where the
    // characters at fixed places are not the year at all.
    const QDateTime now = platform.now();
    const QDate today = now.date();
    PrintStamp stamp;
    stamp.year = today.year();
    stamp.date = QStringLiteral("%1.%2.%3")
                     .arg(today.day(), 2, 10, QLatin1Char('0'))
                     .arg(today.month(), 2, 10, QLatin1Char('0'))
                     .arg(stamp.year, 4, 10, QLatin1Char('0'));
    stamp.hour = now.time().hour();
    stamp.minute = QStringLiteral("%1").arg(now.time().minute(), 2, 10, QLatin1Char('0'));
    return stamp;
}

QString printDateLine(const PrintStamp& stamp, const QString& versionLabel) {
    return QStringLiteral("Druckdatum:    ") + stamp.date + QStringLiteral("  (") + QString::number(stamp.hour) +
           QLatin1Char('.') + stamp.minute + QStringLiteral(" Uhr)           für Datenausdruck  -  Luno-Mat") +
           versionLabel + QString::fromLatin1(kVersionText);
}

QString printFooterLine(int currentYear) {
    return QStringLiteral(" Luno-Mat - Version ") + QString::fromLatin1(kVersionText) + copyrightNotice(currentYear);
}

namespace {
void setEmphasis(LinePrinter& p, bool on, Emphasis order) {
    if (order == Emphasis::BoldFirst) {
        p.setBold(on);
        p.setUnderline(on);
    } else {
        p.setUnderline(on);
        p.setBold(on);
    }
}
}  // namespace

void printHeading(LinePrinter& p, const QString& text, Emphasis on, Emphasis off) {
    setEmphasis(p, true, on);
    p.printLine(text);
    setEmphasis(p, false, off);
}

void blankLines(LinePrinter& p, int count) {
    for (int i = 0; i < count; ++i) p.printLine(QString());
}

void printPageHead(LinePrinter& p, const PageHead& head, const PrintStamp& stamp) {
    p.setFontName(QStringLiteral("Arial"));
    p.setFontSize(19);
    p.setLayout(-1200, -100);
    p.setLayout(1200, 100);
    p.printLine(QString(51, QLatin1Char(' ')));
    blankLines(p, 1);
    printHeading(p, head.title, Emphasis::BoldFirst, head.titleOff);
    if (head.bodySizeFirst) p.setFontSize(10);
    p.setLayout(-1200, 100);
    if (!head.bodySizeFirst) p.setFontSize(10);
    blankLines(p, 1);
    p.printLine(printDateLine(stamp, head.versionLabel));
    blankLines(p, 1);
    p.printLine(QStringLiteral("Die Luno-Mat erfolgt nach der Theorie von Bradley E. Schaefer."));
    blankLines(p, 2);
}

void printFooter(LinePrinter& p, int currentYear) {
    p.setFontSize(4);
    p.printLine(printFooterLine(currentYear));
}

void runPrintCommand(Platform& platform, QWidget* window, std::initializer_list<QWidget*> buttons,
                     const std::function<void(LinePrinter&, const PrintStamp&)>& content,
                     const std::function<void()>& afterStep) {
    const DisabledWhileAlive off(buttons);
    const PrintStamp stamp = takePrintStamp(platform);

    std::unique_ptr<LinePrinter> printer = platform.choosePrinter(window);
    if (!printer) return;  // cancelled or no dialog: silent end

    bool failed = false;
    try {
        if (afterStep) afterStep();
        content(*printer, stamp);
        printer->endDocument();
        if (afterStep) afterStep();
    } catch (const std::exception&) {
        failed = true;
    }
    // The printer is released (and an unfinished job abandoned) before the
    // box, so nothing of the job is left while the user reads the message.
    printer.reset();
    if (failed)
        platform.messageBox(window, MessageIcon::Critical, QString(),
                            QStringLiteral("Bei der Druckausgabe ist es zu Problemen gekommen."));
}

}  // namespace lunomat
