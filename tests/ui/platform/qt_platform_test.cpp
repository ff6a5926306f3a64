// The product's platform where it meets the user directly: its message
// boxes, the print command without the print module, the browser helper.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/platform/line_printer.h"
#include "ui/platform/qt_platform.h"

namespace {

// The real platform with its program folder elsewhere; its boxes are
// recorded instead of shown unless showBoxes is set.
class PlatformIn : public lunomat::QtPlatform {
public:
    explicit PlatformIn(QString folder) : folder_(std::move(folder)) {}
    QString programFolder() const override { return folder_; }
    void messageBox(QWidget* parent, lunomat::MessageIcon icon, const QString& title, const QString& text) override {
        if (showBoxes) return QtPlatform::messageBox(parent, icon, title, text);
        boxes << text;
    }
    bool showBoxes = false;
    QStringList boxes;

private:
    QString folder_;
};

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

TEST(QtPlatform, PrintingWithoutThePrintModuleSaysWhichFileIsMissing) {
    QTemporaryDir folder;
    // First no file at all, then a file that is no library.
    for (const char* end : {"fehlt im Programmordner.", "im Programmordner lässt sich nicht laden."}) {
        PlatformIn platform(folder.path());
        EXPECT_EQ(platform.choosePrinter(nullptr), nullptr);
        EXPECT_EQ(platform.boxes,
                  QStringList{QString("Drucken ist nicht möglich: Die Programmdatei \"liblunomat-extras.so\" ") + end});
        writeFile(folder.filePath("liblunomat-extras.so"), "no library");
    }
}

// The whole title and every line show unbroken, whatever their length.
TEST(QtPlatform, MessageBoxesAreWideEnoughForTitleAndLines) {
    const std::pair<QString, QString> cases[] = {
        {"Luno-Mat  -  Fehler bei der Jahreszahleingabe",
         "Die eingegebene Jahreszahl ist kleiner als 1900!\r\rBitte geben Sie eine Jahreszahl zwischen 1900 und 2100 "
         "ein, damit die Berechnung erfolgen kann."},
        {"Luno-Mat  -  ein sehr langer Titel, der weit über die Breite des Textes hinausgeht", "Kurz."},
    };
    for (const auto& [title, text] : cases) {
        PlatformIn platform(QString{});
        platform.showBoxes = true;
        int boxWidth = 0;
        QLabel label;  // the box's text label as it was shown
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            const QLabel* shown = box->findChild<QLabel*>("qt_msgbox_label");
            boxWidth = box->width();
            label.resize(shown->size());
            label.setFont(shown->font());
            box->accept();
        });
        platform.messageBox(nullptr, lunomat::MessageIcon::Critical, title, text);
        QFont bold = QApplication::font();
        bold.setBold(true);
        EXPECT_GE(boxWidth, QFontMetrics(bold).horizontalAdvance(title) + 100) << title.toStdString();
        const QFontMetrics fm(label.font());
        const QStringList lines = text.split('\r');
        for (const QString& line : lines) EXPECT_GE(label.width(), fm.horizontalAdvance(line)) << line.toStdString();
        EXPECT_LT(label.height(), (lines.size() + 1) * fm.lineSpacing());
    }
}

// The owner is off while the helper runs, its timers keep ticking, and it is
// on again however the helper ends, also when there is no helper at all.
TEST(BrowserLauncher, WaitsForTheHelperWithOwnerOffAndTimersRunning) {
    for (const char* script : {"sleep 0.4", "sleep 0.4; exit 3", "sleep 0.4; kill -9 $$", ""}) {
        SCOPED_TRACE(script);
        QTemporaryDir folder;
        const QString helper = folder.filePath(QLatin1String(LUNOMAT_BROWSER_PROGRAM));
        if (*script) writeFile(helper, QByteArray("#!/bin/sh\n") + script + "\n");
        QFile::setPermissions(helper, QFile::permissions(helper) | QFileDevice::ExeOwner);
        QWidget owner;
        owner.show();
        int ticks = 0, ticksWhileOn = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            ++ticks;
            ticksWhileOn += owner.isEnabled();
        });
        ticker.start(10);
        QElapsedTimer clock;
        clock.start();
        PlatformIn(folder.path()).runBrowserWindow(&owner);
        EXPECT_EQ(clock.elapsed() >= 350 && ticks >= 5, *script != 0);
        EXPECT_LT(clock.elapsed(), *script ? 10000 : 2000);
        EXPECT_EQ(ticksWhileOn, 0);
        EXPECT_TRUE(owner.isEnabled());
    }
}

}  // namespace
