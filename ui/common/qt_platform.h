#pragma once
// The product's platform: real clock, QLocale, QMessageBox, QSoundEffect,
// QDesktopServices, QPrintDialog and the browser helper program.

#include <memory>

#include "ui/common/platform.h"

class QSoundEffect;

namespace lunomat {

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    QDateTime now() const override;
    QString shortDateText() const override;
    void messageBox(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) override;
    void playErrorSound() override;
    void openUrl(const QUrl& url) override;
    std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) override;  // print_dialog.cpp
    void runBrowserWindow(QWidget* owner) override;                        // browser_launcher.cpp
    QString programFolder() const override;
    void endProgramNow() override;

private:
    QSoundEffect* sound_ = nullptr;  // created at the first error, kept for restarts
};

}  // namespace lunomat
