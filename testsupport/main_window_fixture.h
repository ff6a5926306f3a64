#pragma once
// A main window on the offscreen platform with the fake platform, shown and
// active so that focus and selection behave as on a desktop. Controls are
// found by their design names, as accessibility tools see them.
#include <xcb/xcb.h>

#include "testsupport/ui_test.h"
#include "ui/main/mondphase.h"

namespace lunomat::test {

class MainWindowTest : public ::testing::Test, public QObject {
protected:
    FakePlatform platform;
    std::unique_ptr<Mondphase> w;

    // Creates, loads and (unless told not to) shows the window as the program
    // does at start-up, with the clock at `now` when given.
    void start(const QDateTime& now = {}, bool show = true) {
        if (now.isValid()) platform.clock = now;
        w = std::make_unique<Mondphase>(platform);
        w->Form_Load();
        EXPECT_TRUE(!show || showActive(*w));
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

    // Waits until the midnight watch, which looks once a second, has switched.
    bool switchedTo(const QDate& date) {
        const QStringList shown = {date.toString("dd"), date.toString("MM"), QString::number(date.year())};
        return QTest::qWaitFor([&] { return fields() == shown; }, 3000);
    }

    int paints = 0;  // of the control given to countPaints
    void countPaints(QWidget* control) { control->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }

    // A key on the button with the focus, as a user presses it.
    void press(const char* name, Qt::Key key) {
        button(name)->setFocus();
        QTest::keyClick(button(name), key);
    }

    // Types `keys` over the whole text of the field ("\r" for Enter), the
    // events so far forgotten.
    void typeOver(QLineEdit* field, const QString& keys) {
        field->setFocus();
        field->selectAll();
        platform.events.clear();
        for (const QChar key : keys)
            key == '\r' ? QTest::keyClick(field, Qt::Key_Return) : QTest::keyClicks(field, key);
    }

    bool anyButtonOn() const {  // of the seven
        const QList<QPushButton*> buttons = w->findChildren<QPushButton*>();
        return buttons.size() == 7 &&
               std::any_of(buttons.begin(), buttons.end(), [](auto* b) { return b->isEnabled(); });
    }
    // Presses a button (with `press`), looks at the modal window it opened,
    // runs `meanwhile` and closes it; returns its title, "" when none opened.
    // `locked` tells whether the main window had its buttons off and refused
    // to close.
    QString openAndClose(const std::function<void()>& press, bool* locked = nullptr,
                         const std::function<void()>& meanwhile = {}) {
        QString title;
        QObject context;
        QTimer::singleShot(0, &context, [&] {
            if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 2000)) return;
            QWidget* modal = QApplication::activeModalWidget();
            title = modal->windowTitle();
            if (locked) *locked = !anyButtonOn() && !w->close();
            if (meanwhile) meanwhile();
            modal->close();
        });
        press();
        return title;
    }

    // The X server's word that the window is covered whole, or partly seen again.
    void covered(bool whole) {
        xcb_visibility_notify_event_t event{};
        event.response_type = XCB_VISIBILITY_NOTIFY;
        event.window = xcb_window_t(w->windowHandle()->winId());
        event.state = whole ? XCB_VISIBILITY_FULLY_OBSCURED : XCB_VISIBILITY_PARTIALLY_OBSCURED;
        qintptr result = 0;
        QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event, &result);
    }
};

}  // namespace lunomat::test
