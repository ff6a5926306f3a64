#pragma once
// The product's platform: real clock, QLocale, QMessageBox, QDesktopServices,
// the browser helper program, and the module with the desktop's event sound
// and QPrintDialog.

#include <chrono>
#include <memory>

#include "ui/platform/platform.h"

namespace lunomat {

class PlatformExtras;

// The pictures and sound of the running program: beside it in the build, in
// the data folder of an installed tree.
QString dataFolder();
// Qt's own dialogs and buttons in German, whatever the user's language: the
// program speaks German only.
void useGermanQtTexts();
// The line the browser helper writes to its standard output once its window
// is on screen.
inline constexpr char kBrowserShownReport[] = "lunomat-browser: window shown";
// The line it writes after that every few seconds while it answers, so that
// one that hangs with its window open is noticed too.
inline constexpr char kBrowserAliveReport[] = "lunomat-browser: alive";
inline constexpr std::chrono::seconds kBrowserAliveInterval{5};

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    QDateTime now() const override;
    QString shortDateText() const override;
    void messageBox(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) override;
    void playErrorSound() override;
    void openUrl(const QUrl& url) override;
    std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) override;
    // Defined beside the browser program, in ui/browser/browser_launcher.cpp.
    void runBrowserWindow(QWidget* owner) override;
    QString programFolder() const override;
    void endProgramNow() override;

protected:
    // Where the helper program and the module are: the running program's own
    // folder.
    virtual QString executableFolder() const;
    // How long the browser helper may take to show its window, and then may
    // stay silent between two of its alive reports, before it is taken for
    // hung: the browser engine starts slowly on an old machine.
    virtual std::chrono::milliseconds browserStartLimit() const;

private:
    PlatformExtras* extras();  // the sound and print module, loaded on first use
    std::unique_ptr<PlatformExtras> extras_;
    bool extrasTried_ = false;
};

}  // namespace lunomat
