#pragma once
// A main window on the offscreen platform with the fake platform, shown and
// active so that focus and selection behave as on a desktop.

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "testsupport/fake_platform.h"
#include "ui/main/mondphase.h"

namespace lunomat::test {

class MainWindowTest : public ::testing::Test {
protected:
    FakePlatform platform;
    std::unique_ptr<Mondphase> w;

    void SetUp() override { platform.folder = assetFolder(); }

    // Creates, loads and shows the window as the program does at start-up.
    Mondphase& start() {
        w = std::make_unique<Mondphase>(platform);
        w->Form_Load();
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return *w;
    }

    // Puts a date into the fields as the program would write it.
    void setFields(const QString& day, const QString& month, const QString& year) {
        w->txtTag->setText(day);
        w->txtMonat->setText(month);
        w->txtJahr->setText(year);
    }

    void compute(const QString& day, const QString& month, const QString& year) {
        setFields(day, month, year);
        platform.events.clear();
        w->Command1_Click();
    }

    QStringList display() const {
        return {w->lbl_Datumangabe->text(), w->lbl_MPh->text(), w->lbl_Mondphase->text(),
                w->Label5->text(),          w->Label6->text(),  w->Label7->text()};
    }

    QStringList fields() const { return {w->txtTag->text(), w->txtMonat->text(), w->txtJahr->text()}; }

    static QImage picture(const QString& path) { return QImage(path).convertToFormat(QImage::Format_ARGB32); }
    QImage shownMoon() const { return w->Image2->pixmap().toImage().convertToFormat(QImage::Format_ARGB32); }
    // Picture n as the moon image shows it: stretched to the image's size.
    QImage moonPicture(int number) const {
        return QImage(platform.folder + QStringLiteral("/mondgif/mond-%1.gif").arg(number, 2, 10, QLatin1Char('0')))
            .scaled(w->Image2->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    }
};

}  // namespace lunomat::test
