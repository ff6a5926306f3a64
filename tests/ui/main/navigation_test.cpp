// The buttons that open the other windows modally, the eclipse year check
// and the end of the program.
#include <QDialog>
#include <QFile>
#include <QPixmapCache>
#include <QPointer>
#include <functional>

#include "tests/ui/main/main_window_fixture.h"
#include "ui/annual/mondphasen.h"
#include "ui/eclipses/mondfinsternisse.h"
#include "ui/info/information.h"

namespace lunomat::test {
namespace {

class NavigationTest : public MainWindowTest {
protected:
    struct Seen {
        QPointer<QWidget> window;
        QString title;
        bool buttonsOff = true;
        QString clockWhileOpen;
    };

    bool anyButtonOn() const {
        for (QPushButton* b : {w->Command1, w->Command2, w->cmd_Phasen, w->cmd_Finsternis, w->cmd_Kreiszeichen,
                               w->cmdInfo, w->cmd_Abbrechen})
            if (b->isEnabled()) return true;
        return false;
    }

    // Clicks a button and, from inside the modal wait, looks at the window
    // that opened, lets the clock run on, and closes the window.
    Seen clickAndClose(QPushButton* button) {
        Seen seen;
        // The look runs only while this call lasts: when the click opens no
        // window, the pending look is dropped with `context` instead of
        // firing later into a `seen` that no longer exists.
        QObject context;
        QTimer::singleShot(0, &context, [&] {
            if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 2000)) return;
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            seen.window = modal;
            seen.title = modal->windowTitle();
            seen.buttonsOff = !anyButtonOn();
            const QString clockBefore = w->StatusBar1Panels[2]->text();
            platform.clock = platform.clock.addSecs(60);
            // The clock looks at the time at least once a second.
            (void)QTest::qWaitFor([&] { return w->StatusBar1Panels[2]->text() != clockBefore; }, 1500);
            seen.clockWhileOpen = w->StatusBar1Panels[2]->text();
            modal->close();
        });
        button->click();
        return seen;
    }
};

TEST_F(NavigationTest, EachButtonOpensAFreshModalWindowWithTheButtonsOff) {
    start();
    compute("29", "07", "2009");
    struct Case {
        QPushButton* Mondphase::*button;
        QString titleStart;
    };
    const Case cases[] = {
        {&Mondphase::cmd_Phasen, " Luno-Mat   (Vollmond"},
        {&Mondphase::cmd_Finsternis, "Mondfinsternisse  -  Übersicht"},
        {&Mondphase::cmdInfo, "Luno-Mat   (Programm- Informationen)"},
    };
    for (const Case& c : cases) {
        for (int round = 0; round < 2; ++round) {
            w->cmd_Abbrechen->setFocus();
            const QString before = w->StatusBar1Panels[2]->text();
            const Seen seen = clickAndClose(w.get()->*c.button);
            EXPECT_TRUE(seen.title.startsWith(c.titleStart)) << seen.title.toStdString();
            EXPECT_TRUE(seen.buttonsOff);
            EXPECT_NE(seen.clockWhileOpen, before);  // the timers ran meanwhile
            EXPECT_TRUE(seen.window.isNull());       // destroyed: the next opening makes a new one
            EXPECT_TRUE(w->cmd_Abbrechen->isEnabled());
            EXPECT_FALSE(QApplication::activeModalWidget());
            // The day field takes the focus as soon as the main window is
            // active again.
            EXPECT_EQ(w->focusWidget(), w->txtTag) << c.titleStart.toStdString();
            EXPECT_EQ(w->txtTag->selectedText(), "29");
        }
    }
    EXPECT_TRUE(platform.events.empty());
}

TEST_F(NavigationTest, AnnualWindowTakesTheYearTextAsItStands) {
    start();
    setFields("29", "07", "2009");
    w->txtJahr->setFocus();
    w->txtJahr->selectAll();
    QTest::keyClicks(w->txtJahr, "1850");  // typed without Enter: no range check
    const Seen seen = clickAndClose(w->cmd_Phasen);
    EXPECT_TRUE(seen.title.endsWith("für das Kalenderjahr 1850"));
    EXPECT_TRUE(platform.events.empty());
}

TEST_F(NavigationTest, EclipseButtonOnlyForTheYears1987To2030) {
    start();
    for (const QString year : {"1986", "2031"}) {
        setFields("29", "07", year);
        w->cmd_Abbrechen->setFocus();
        platform.events.clear();
        const Seen seen = clickAndClose(w->cmd_Finsternis);
        EXPECT_TRUE(seen.window.isNull() && seen.title.isEmpty()) << year.toStdString();
        ASSERT_EQ(platform.kinds(), QStringList({"box"}));  // no sound
        EXPECT_EQ(platform.events[0].icon, MessageIcon::Critical);
        EXPECT_EQ(platform.events[0].title, "Luno-Mat  -  keine Mondfinsternisangaben");
        EXPECT_EQ(platform.events[0].text,
                  "Keine Mondfinsterterminangaben vorhanden:\rDas Programm hat Mondfinsternisangaben nur für den "
                  "Zeitraum der Jahre 1987 bis 2030.");
        EXPECT_EQ(w->focusWidget(), w->txtJahr);
        EXPECT_EQ(w->txtJahr->selectedText(), year);
        EXPECT_TRUE(anyButtonOn());
    }
    for (const QString year : {"1987", "2030"}) {
        setFields("29", "07", year);
        platform.events.clear();
        const Seen seen = clickAndClose(w->cmd_Finsternis);
        EXPECT_TRUE(seen.title.startsWith("Mondfinsternisse")) << year.toStdString();
        EXPECT_TRUE(platform.events.empty());
    }
}

TEST_F(NavigationTest, ZodiacButtonWaitsForTheBrowserWindow) {
    start();
    bool buttonsOffWhileOpen = false;
    bool closedWhileOpen = true;
    platform.onBrowser = [&] {
        buttonsOffWhileOpen = !anyButtonOn();
        closedWhileOpen = w->close();  // the close box of the main window
    };
    w->cmd_Kreiszeichen->click();
    EXPECT_EQ(platform.count("browser"), 1);
    EXPECT_TRUE(buttonsOffWhileOpen);
    EXPECT_FALSE(closedWhileOpen);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(anyButtonOn());
    EXPECT_EQ(w->focusWidget(), w->txtTag);
}

TEST_F(NavigationTest, OkAndTheCloseBoxEndTheProgram) {
    // Closing the only window ends the event loop; the real program's exit
    // status is checked end to end under X.
    start();
    w->cmd_Abbrechen->click();
    EXPECT_FALSE(w->isVisible());
    start();
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->isVisible());
}

}  // namespace
}  // namespace lunomat::test

namespace lunomat::test {
namespace {

long residentKiB() {
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : 0;
}

// Every opening creates a window and its closing destroys it with all it
// holds: after a warm-up, 200 more openings of each leave memory flat.
TEST_F(NavigationTest, OpeningAndClosingWindowsKeepsMemoryFlat) {
    // The style keeps drawn button faces in Qt's pixmap cache, which grows up
    // to its limit with every new button; a small limit keeps that bounded
    // store out of the measurement.
    QPixmapCache::setCacheLimit(256);
    start();
    using Make = std::function<std::unique_ptr<QDialog>()>;
    const std::pair<const char*, Make> kinds[] = {
        {"annual", [&] { return std::make_unique<Mondphasen>(platform, "2026", w.get()); }},
        {"eclipses", [&] { return std::make_unique<Mondfinsternisse>(platform, w.get()); }},
        {"information", [&] { return std::make_unique<Information>(platform, w->txtTag, w.get()); }},
    };
    for (const auto& kind : kinds) {
        const char* name = kind.first;
        const Make& make = kind.second;
        auto churn = [&](int times) {
            for (int i = 0; i < times; ++i) {
                std::unique_ptr<QDialog> window = make();
                window->show();
                QCoreApplication::processEvents();
                window->close();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        };
        churn(30);
        const long before = residentKiB();
        churn(200);
        EXPECT_LE(residentKiB() - before, 2048) << name;
    }
    QPixmapCache::setCacheLimit(10240);
}

}  // namespace
}  // namespace lunomat::test
