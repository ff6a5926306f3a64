#include "ui/platform/qt_platform.h"

#include "ui/platform/browser_launcher.h"
#include "ui/platform/line_printer.h"
#include "ui/platform/platform_extras.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLibrary>
#include <QLocale>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace lunomat {

QtPlatform::QtPlatform(BrowserLauncher& browser, QString moduleFolder)
    : browser_(browser),
      moduleFolder_(moduleFolder.isEmpty() ? QCoreApplication::applicationDirPath() : std::move(moduleFolder)) {}
QtPlatform::~QtPlatform() = default;

PlatformExtras* QtPlatform::extras() {
    if (!extrasTried_) {
        extrasTried_ = true;
        QLibrary module(moduleFolder_ + QLatin1Char('/') + QLatin1String(LUNOMAT_EXTRAS_FILE));
        if (auto create = reinterpret_cast<PlatformExtrasFactory>(module.resolve(kPlatformExtrasEntry)))
            extras_.reset(create());
    }
    return extras_.get();  // nullptr: no sound and no printer on this machine
}

QDateTime QtPlatform::now() const { return QDateTime::currentDateTime(); }

QString QtPlatform::shortDateText() const {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

namespace {

// A message box as wide as its whole title and its longest line: Qt's own
// box wraps lines past a fixed width and ignores most of the title.
class FittingMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);  // Qt sizes the box here
        if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) label->setWordWrap(false);
        layout()->activate();
        // The window manager's title font is not known here; a bold
        // application font with room for its buttons is a safe guess.
        QFont titleFont = font();
        titleFont.setBold(true);
        const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) * 5 / 4 + 120;
        const QSize needed = layout()->totalMinimumSize();
        setFixedSize(std::max({width(), needed.width(), titleWidth}), std::max(height(), needed.height()));
    }
};

}  // namespace

void QtPlatform::messageBox(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) {
    FittingMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning,
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
    if (PlatformExtras* x = extras()) return x->choosePrinter(parent);
    // Without the module there is no print dialog; the user learns why
    // instead of seeing the button do nothing.
    const QString file = QLatin1String(LUNOMAT_EXTRAS_FILE);
    const bool present = QFileInfo::exists(moduleFolder_ + QLatin1Char('/') + file);
    messageBox(parent, MessageIcon::Critical, QString(),
               present ? QStringLiteral("Drucken ist nicht möglich: Die Programmdatei \"%1\" im Programmordner "
                                        "lässt sich nicht laden.")
                             .arg(file)
                       : QStringLiteral("Drucken ist nicht möglich: Die Programmdatei \"%1\" fehlt im "
                                        "Programmordner.")
                             .arg(file));
    return nullptr;
}

void QtPlatform::runBrowserWindow(QWidget* owner) { browser_.run(owner, *this); }

void QtPlatform::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

QString QtPlatform::programFolder() const { return dataFolder(); }

void QtPlatform::endProgramNow() {
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace lunomat
