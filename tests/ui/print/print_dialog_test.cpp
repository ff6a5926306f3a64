// The print dialog as the program shows it: through the product's platform
// and its module, after the program's start-up has switched Qt's own texts
// to German.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/platform/line_printer.h"
#include "ui/platform/qt_platform.h"

TEST(PrintDialog, SpeaksGerman) {
    lunomat::useGermanQtTexts();
    QString title;
    QStringList buttons;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        title = dialog->windowTitle();
        for (auto* button : dialog->findChildren<QAbstractButton*>())
            if (button->isVisible()) buttons.append(button->text());
        dialog->reject();
    });
    poll.start(20);
    QWidget owner;
    owner.show();
    lunomat::QtPlatform platform;
    EXPECT_EQ(platform.choosePrinter(&owner), nullptr);  // cancelled

    EXPECT_EQ(title, QStringLiteral("Drucken"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("Abbrechen"))) << buttons.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(buttons.contains(QStringLiteral("Cancel")));
}
