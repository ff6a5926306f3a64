#pragma once
// The one seam between the windows and the machine they run on: clock,
// regional date text, message boxes, error sound, web links, print dialog,
// the browser window, the program's folder and the immediate end of the
// program. The product uses QtPlatform; tests use a fake that records calls,
// answers boxes at once and sets the clock.

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <memory>

class QWidget;

namespace lunomat {

class LinePrinter;

enum class MessageIcon { Critical, Exclamation };

class Platform {
public:
    virtual ~Platform() = default;

    // Local date and time, read afresh at each call.
    virtual QDateTime now() const = 0;
    // Today's date written in the user's regional short date format.
    virtual QString shortDateText() const = 0;

    // A modal box with one OK button. Lines of text are separated by "\r"
    // (an empty line is "\r\r"). An empty title means the application's own.
    virtual void messageBox(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) = 0;
    // Starts the error sound and returns at once; a new call restarts it; a
    // missing or unplayable sound file stays silent.
    virtual void playErrorSound() = 0;

    // Opens an address in the user's default web browser; the result is not
    // looked at.
    virtual void openUrl(const QUrl& url) = 0;

    // Shows the print dialog. Returns the printer the user chose, or nullptr
    // when the dialog was cancelled, or could not be shown, in which case
    // the platform has told the user why.
    virtual std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) = 0;

    // Shows the moon-zodiac browser window and returns when it has been
    // closed, or at once when the owner's window goes (the browser window is
    // ended with it). The owner stays on screen, its timers keep running,
    // its input is blocked meanwhile. When the window cannot be shown, the
    // user is told what is missing or failed.
    virtual void runBrowserWindow(QWidget* owner) = 0;

    // The folder that holds the program's pictures and sound, without a
    // trailing separator.
    virtual QString programFolder() const = 0;

    // Ends the program at once: no further step of the caller runs in the
    // product. A fake returns, so callers must return right after it.
    virtual void endProgramNow() = 0;
};

}  // namespace lunomat
