#pragma once
// A main window on the offscreen platform with the fake platform, shown and
// active so that focus and selection behave as on a desktop. Controls are
// found by their design names, as accessibility tools see them.
#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include "testsupport/fake_platform.h"
#include "testsupport/golden.h"
#include "ui/main/mondphase.h"

namespace lunomat::test {

class MainWindowTest : public ::testing::Test {
protected:
    FakePlatform platform;
    std::unique_ptr<Mondphase> w;

    void SetUp() override { platform.folder = assetFolder(); }

    // Creates, loads and shows the window as the program does at start-up.
    void start() {
        w = std::make_unique<Mondphase>(platform);
        w->Form_Load();
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    template <typename T = QLabel>
    T* find(const QString& name) const {
        T* control = w->findChild<T*>(name);
        EXPECT_TRUE(control) << name.toStdString();
        return control;
    }
    QLineEdit* day() const { return find<QLineEdit>("txtTag"); }
    QLineEdit* year() const { return find<QLineEdit>("txtJahr"); }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QString text(const QString& label) const { return find<QLabel>(label)->text(); }
    QStringList fields() const { return {day()->text(), find<QLineEdit>("txtMonat")->text(), year()->text()}; }
    static QWidget* focus() { return QApplication::focusWidget(); }

    // The fields written as the program writes them, then "&Berechnen".
    void compute(const QString& d, const QString& m, const QString& y) {
        day()->setText(d), find<QLineEdit>("txtMonat")->setText(m), year()->setText(y);
        platform.events.clear();
        button("Command1")->click();
    }
};

}  // namespace lunomat::test
