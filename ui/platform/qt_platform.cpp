#include "ui/platform/qt_platform.h"

#include "ui/platform/line_printer.h"
#include "ui/platform/platform_extras.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QLibrary>
#include <cstdio>
#include <cstdlib>

namespace lunomat {

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

PlatformExtras* QtPlatform::extras() {
    if (!extrasTried_) {
        extrasTried_ = true;
        QLibrary module(executableFolder() + QLatin1Char('/') + QLatin1String(kPlatformExtrasModule));
        if (auto create = reinterpret_cast<PlatformExtrasFactory>(module.resolve(kPlatformExtrasEntry)))
            extras_.reset(create());
    }
    return extras_.get();  // nullptr: no sound and no printer on this machine
}

QDateTime QtPlatform::now() const { return QDateTime::currentDateTime(); }

QString QtPlatform::shortDateText() const {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

void QtPlatform::messageBox(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning,
                    title.isEmpty() ? QApplication::applicationDisplayName() : title,
                    QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtPlatform::playErrorSound() {
    const QString file = programFolder() + QStringLiteral("/error.neu");
    if (!QFileInfo::exists(file)) return;
    if (PlatformExtras* x = extras()) x->playSound(file);
}

std::unique_ptr<LinePrinter> QtPlatform::choosePrinter(QWidget* parent) {
    PlatformExtras* x = extras();
    return x ? x->choosePrinter(parent) : nullptr;
}

void QtPlatform::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

QString QtPlatform::programFolder() const { return dataFolder(); }

QString QtPlatform::executableFolder() const { return QCoreApplication::applicationDirPath(); }

void QtPlatform::endProgramNow() {
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace lunomat
