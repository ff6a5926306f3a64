#include "ui/common/qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSoundEffect>
#include <cstdio>
#include <cstdlib>

namespace lunomat {

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() { delete sound_; }

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
    if (!sound_) {
        sound_ = new QSoundEffect;
        sound_->setSource(QUrl::fromLocalFile(file));
    }
    sound_->stop();
    sound_->play();
}

void QtPlatform::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

QString QtPlatform::programFolder() const { return QCoreApplication::applicationDirPath(); }

void QtPlatform::endProgramNow() {
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace lunomat
