#pragma once
// The product's platform: real clock, QLocale, QMessageBox, QDesktopServices,
// the browser window through the launcher it is given, and the module with
// the desktop's event sound and QPrintDialog.

#include <memory>

#include "ui/platform/platform.h"

namespace lunomat {

class BrowserLauncher;
class PlatformExtras;

// The pictures and sound of the running program: beside it in the build, in
// the data folder of an installed tree.
QString dataFolder();
// Qt's own dialogs and buttons in German, whatever the user's language: the
// program speaks German only.
void useGermanQtTexts();

class QtPlatform : public Platform {
public:
    // `moduleFolder` holds the sound and print module; empty: the running
    // program's own folder.
    explicit QtPlatform(BrowserLauncher& browser, QString moduleFolder = {});
    ~QtPlatform() override;

    QDateTime now() const override;
    QString shortDateText() const override;
    void messageBox(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) override;
    void playErrorSound() override;
    void openUrl(const QUrl& url) override;
    std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) override;
    void runBrowserWindow(QWidget* owner) override;
    QString programFolder() const override;
    void endProgramNow() override;

private:
    BrowserLauncher& browser_;
    QString moduleFolder_;
    PlatformExtras* extras();  // the sound and print module, loaded on first use
    std::unique_ptr<PlatformExtras> extras_;
    bool extrasTried_ = false;
};

}  // namespace lunomat
