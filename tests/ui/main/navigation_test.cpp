// The buttons: the windows they open modally, the eclipse year check, Enter
// on a focused button, the focus coming back with its selection, and the end.
#include "testsupport/main_window_fixture.h"

namespace lunomat::test {

using NavigationTest = MainWindowTest;

// The eclipse window opens only for the catalogue's years (a refused year
// comes back with its first four digits selected); clicked or pressed with
// Enter (as Space does), each button opens its window.
TEST_F(NavigationTest, EachButtonOpensItsWindowWithTheButtonsOff) {
    start();
    for (const QString y : {"1986", "20310", "1987", "2030"}) {
        compute("29", "07", y.left(4)), year()->setText(y);
        const bool opens = y == "1987" || y == "2030";
        const QString title = openAndClose([&] { button("cmd_Finsternis")->click(); });
        EXPECT_EQ(title.startsWith("Mondfinsternisse"), opens) << y.toStdString();
        if (opens) continue;
        ASSERT_EQ(platform.kinds(), QStringList({"box"}));  // no sound
        EXPECT_EQ(platform.events[0].text,
                  "Keine Mondfinsterterminangaben vorhanden:\rDas Programm hat "
                  "Mondfinsternisangaben nur für den Zeitraum der Jahre 1987 bis 2030.");
        EXPECT_EQ(focus(), year());
        EXPECT_EQ(year()->selectedText(), y.left(4));
    }
    compute("29", "07", "2009");
    const std::tuple<const char*, Qt::Key, QString> cases[] = {{"cmd_Phasen", Qt::Key_unknown, " Luno-Mat   (Vollmond"},
                                                               {"cmd_Finsternis", Qt::Key_Return, "Mondfinsternisse"},
                                                               {"cmdInfo", Qt::Key_Enter, "Luno-Mat   (Programm- "}};
    for (const auto& [name, key, titleStart] : cases) {
        // Focus left the day field by Tab: it still comes back with its text selected.
        day()->setFocus();
        QTest::keyClick(day(), Qt::Key_Tab);
        day()->deselect();  // as some platforms do when the focus leaves
        bool off = false;
        const Qt::KeyboardModifier keypad = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        const QString title = openAndClose(
            [&, name = name, key = key] {
                button(name)->setFocus();
                key == Qt::Key_unknown ? button(name)->click() : QTest::keyClick(button(name), key, keypad);
            },
            &off);
        EXPECT_TRUE(title.startsWith(titleStart)) << title.toStdString();
        EXPECT_TRUE(off && anyButtonOn()) << name;  // off while the window was open, on again after
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->focusWidget() == day(); }, 1000)) << name;
        EXPECT_EQ(day()->selectedText(), "29") << name;
    }
    QTest::keyClicks(day(), "15");  // replaces the selected day
    EXPECT_EQ(fields(), QStringList({"15", "07", "2009"}));
    EXPECT_TRUE(platform.events.empty());
    press("Command2", Qt::Key_A);  // only Enter and Space press a button
    EXPECT_EQ(fields(), QStringList({"15", "07", "2009"}));
    // Enter on "Heute" and on "OK".
    press("Command2", Qt::Key_Return);
    press("cmd_Abbrechen", Qt::Key_Return);
    EXPECT_EQ(fields(), QStringList({"05", "12", "2026"}));
    EXPECT_FALSE(w->isVisible());
}

// While the browser window is open only the buttons are off; the rest is
// drawn as it is, and still takes no input. Its close box still ends the
// program: the browser helper may hang.
TEST_F(NavigationTest, BrowserWindowKeepsTheMainWindowAsItIs) {
    start();
    compute("29", "07", "2009");
    bool off = false, drawnAsIs = false, closed = true;
    const QImage dayField = day()->grab().toImage();
    platform.onBrowser = [&] {
        off = !anyButtonOn();
        drawnAsIs = find("lbl_Mondphase")->isEnabled() && find("Image2")->isEnabled() && day()->isEnabled() &&
                    day()->grab().toImage() == dayField;
        QTest::keyClicks(day(), "1");
        closed = w->close();  // the main window's close box
    };
    button("cmd_Kreiszeichen")->click();
    EXPECT_EQ(std::tuple(platform.count("browser"), off, drawnAsIs, closed), std::tuple(1, true, true, true));
    EXPECT_EQ(fields(), QStringList({"29", "07", "2009"}));
    EXPECT_FALSE(w->isVisible());
}

// A command that comes while a box is open (a real one lets a click queued
// before it through) or after the main window has closed opens nothing.
TEST_F(NavigationTest, LateCommandsOpenNothing) {
    start();
    QStringList late;
    const auto phases = [&] { late << openAndClose([&] { button("cmd_Phasen")->click(); }); };
    platform.onBox = [&](const PlatformEvent&) { phases(); };
    compute("29", "13", "2009");
    w->close();
    phases();
    EXPECT_GE(late.size(), 2);
    EXPECT_EQ(late.join(""), "");
}

}  // namespace lunomat::test
