#include "ui/common/printout.h"

#include <QWidget>
#include <exception>
#include <vector>

#include "ui/common/line_printer.h"
#include "ui/common/platform.h"
#include "ui/common/ui_conventions.h"
#include "ui/common/version.h"

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
           QLatin1Char('.') + stamp.minute +
           QStringLiteral(" Uhr)           für Datenausdruck  -  Luno-Mat") + versionLabel +
           QString::fromLatin1(kVersionText);
}

QString printFooterLine(int currentYear) {
    return QStringLiteral(" Luno-Mat - Version ") + QString::fromLatin1(kVersionText) + copyrightNotice(currentYear);
}

namespace {
// Switches the window's buttons off for the lifetime of one command and on
// again however the command ends.
class ButtonsOff {
public:
    explicit ButtonsOff(std::initializer_list<QWidget*> buttons) : buttons_(buttons) {
        for (QWidget* b : buttons_)
            if (b) b->setEnabled(false);
    }
    ~ButtonsOff() {
        for (QWidget* b : buttons_)
            if (b) b->setEnabled(true);
    }
    ButtonsOff(const ButtonsOff&) = delete;
    ButtonsOff& operator=(const ButtonsOff&) = delete;

private:
    std::vector<QWidget*> buttons_;
};
}  // namespace

void runPrintCommand(Platform& platform, QWidget* window, std::initializer_list<QWidget*> buttons,
                     const std::function<void(LinePrinter&, const PrintStamp&)>& content,
                     const std::function<void()>& afterStep) {
    ButtonsOff off(buttons);
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
