// Start-up, the moon display, the calculation and today commands, the
// regional date-format check and the correction of impossible dates.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/ui/main/main_window_fixture.h"

namespace lunomat::test {
namespace {

const QString kCaption = QStringLiteral(" Luno-Mat   -   Version:  1.0.5    Build:  5.0.002   ( Lunoskop )");

TEST_F(MainWindowTest, StartUpShowsTodayInFieldsCaptionAndStatusBar) {
    start();
    EXPECT_EQ(fields(), QStringList({"05", "12", "2026"}));
    EXPECT_EQ(w->windowTitle(), kCaption);
    EXPECT_EQ(w->StatusBar1Panels[0]->text(), "Luno-Skop");
    EXPECT_EQ(w->StatusBar1Panels[1]->text(), "Kalenderdatum:  05.12.2026");
    EXPECT_EQ(w->StatusBar1Panels[2]->text(), "Uhrzeit: 09.07  Uhr");
    EXPECT_TRUE(w->StatusBar1Panels[3]->text().contains("2007-2026"));
    EXPECT_EQ(w->lbl_Datumangabe->text(), "Sonnabend, der 05.12.2026");
    EXPECT_TRUE(platform.events.empty());
    EXPECT_TRUE(w->Timer5->isActive());
    // The focus comes to the day field with its text selected right after.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == w->txtTag; }, 2000));
    EXPECT_EQ(w->txtTag->selectedText(), "05");
}

TEST_F(MainWindowTest, ClockShowsTwoDigitsAtMidnight) {
    platform.clock = QDateTime(QDate(2026, 12, 5), QTime(0, 0, 30));
    start();
    EXPECT_EQ(w->StatusBar1Panels[2]->text(), "Uhrzeit: 00.00  Uhr");
}

TEST_F(MainWindowTest, DisplaysTheMoonOfTheEnteredDate) {
    struct Case {
        QString day, month, year;
        QStringList texts;
        int picture;
    };
    const QString dist = QStringLiteral(" km (bezogen auf den mittleren Erddurchmesser = 12735 km)");
    const Case cases[] = {
        {"29", "07", "2009",
         {"Mittwoch, der 29.07.2009", "zunehmend - noch 7 Tage bis Vollmond  ( am 05.08.2009 )", "Halbmond zunehmend",
          "Entfernung:  394785" + dist, "Ekliptischer Breitengrad:   -5,07385 °", "Ekliptischer Längengrad:     222,96 °"},
         22},
        {"02", "01", "2026", {"Freitag, der 02.01.2026", "zunehmend - noch 1 Tag bis Vollmond  ( am 03.01.2026 )"}, 28},
        {"03", "01", "2026", {"Sonnabend, der 03.01.2026", "Vollmond (full moon)", "Vollmond"}, 1},
        {"17", "01", "2026", {"Sonnabend, der 17.01.2026", "abnehmend - noch 1 Tag bis Neumond  ( am 18.01.2026 )"}, 14},
        {"06", "01", "2000", {"Donnerstag, der 06.01.2000", "Neumond (new moon)", "Neumond"}, 15},
    };
    start();
    for (const Case& c : cases) {
        compute(c.day, c.month, c.year);
        const QStringList shown = display();
        for (int i = 0; i < c.texts.size(); ++i) EXPECT_EQ(shown[i], c.texts[i]) << c.day.toStdString();
        EXPECT_EQ(shownMoon(), moonPicture(c.picture)) << c.day.toStdString();
        EXPECT_TRUE(platform.events.empty());
        EXPECT_EQ(QApplication::focusWidget(), w->txtTag);
        EXPECT_EQ(w->txtTag->selectedText(), c.day);
    }
    compute("23", "01", "2026");
    EXPECT_EQ(w->Label7->text(), "Ekliptischer Längengrad:     -1,05 °");
}

TEST_F(MainWindowTest, ImpossibleDatesAreCorrectedWithAMessage) {
    struct Case {
        QDate today;
        QString day, month, year;
        QString text;
        QString shownDate;
    };
    const QString head = QStringLiteral("Falsches Datum:\rBitte geben Sie ein gültiges Tagesdatum ein - ");
    const Case cases[] = {
        {{2026, 12, 5}, "31", "04", "2009",
         head + "dieser Monat hatte nur 30 Tage!\rDie Luno-Mat wird mit dem Datum  30.04.2009  fortgesetzt.",
         "Donnerstag, der 30.04.2009"},
        {{2026, 3, 5}, "31", "04", "2026",
         head + "dieser Monat hat nur 30 Tage!\rDie Luno-Mat wird mit dem Datum  30.04.2026  fortgesetzt.",
         "Donnerstag, der 30.04.2026"},
        {{2026, 12, 5}, "30", "02", "2023",
         head + "der Februar hatte in diesem Jahr 28 Tage!\rDie Luno-Mat wird mit dem Datum  28.02.2023  fortgesetzt.",
         "Dienstag, der 28.02.2023"},
        {{2026, 12, 5}, "30", "02", "2024",
         head + "der Februar hatte in diesem Jahr 29 Tage!  (2024 war ein Schaltjahr)\rDie Luno-Mat wird mit dem "
                "Datum  29.02.2024  fortgesetzt.",
         "Donnerstag, der 29.02.2024"},
        {{2026, 12, 5}, "30", "02", "2027",
         head + "der Februar hat in diesem Jahr 28 Tage!\rDie Luno-Mat wird mit dem Datum  28.02.2027  fortgesetzt.",
         "Sonntag, der 28.02.2027"},
    };
    start();
    for (const Case& c : cases) {
        platform.clock = QDateTime(c.today, QTime(12, 0));
        compute(c.day, c.month, c.year);
        ASSERT_EQ(platform.kinds(), QStringList({"box"})) << c.text.toStdString();
        EXPECT_EQ(platform.events[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(platform.events[0].title, "Lunomat   -   Falsche Datumseingabe");
        EXPECT_EQ(platform.events[0].text, c.text);
        EXPECT_EQ(w->lbl_Datumangabe->text(), c.shownDate);
        EXPECT_LE(w->maxLoadDepth(), 2);
    }
}

TEST_F(MainWindowTest, DatesThatNoCorrectionCanMendAreRefusedNotLooped) {
    start();
    // A month the change handler lets through but that names no month.
    for (const QString month : {"-5", "1,5", "-1", "1,"}) {
        setFields("15", "01", "2026");
        w->txtMonat->setText(month);
        const QStringList before = display();
        platform.events.clear();
        w->txtJahr_KeyPress(13);
        ASSERT_EQ(platform.kinds(), QStringList({"sound", "box"})) << month.toStdString();
        EXPECT_EQ(platform.events[1].title, "Luno-Mat   -   Falsche Monatszahleingabe");
        EXPECT_EQ(display(), before);
    }
    // A year with a blank passes the range test but is no plain year: the
    // year message resets the fields and today's moon is shown.
    setFields("15", "03", "2009");
    w->txtJahr->setText(" 2026");
    platform.events.clear();
    w->txtJahr_KeyPress(13);
    ASSERT_EQ(platform.kinds(), QStringList({"sound", "box"}));
    EXPECT_EQ(platform.events[1].title, "Luno-Mat   -   Falsche Jahreszahleingabe");
    EXPECT_EQ(fields(), QStringList({"05", "12", "2026"}));
    EXPECT_EQ(w->lbl_Datumangabe->text(), "Sonnabend, der 05.12.2026");
    EXPECT_LE(w->maxLoadDepth(), 2);
}

TEST_F(MainWindowTest, CalculationRefusesYearsOutsideTheRangeAndResetsToToday) {
    start();
    compute("29", "07", "2009");
    for (const QString year : {"1899", "2101"}) {
        compute("29", "07", "2009");
        w->txtJahr->setText(year);
        platform.events.clear();
        w->Command1_Click();
        ASSERT_EQ(platform.kinds(), QStringList({"sound", "box"}));
        EXPECT_EQ(platform.events[1].icon, MessageIcon::Critical);
        EXPECT_EQ(platform.events[1].text,
                  "Falsche Jahreszahleingabe:\rDas Datum muss zwischen dem Jahr 1900 und dem Jahr 2100 liegen.\r"
                  "Hinweis:  Das Eingabejahr wird auf das aktuelle Kalenderjahr zurückgesetzt.");
        EXPECT_EQ(fields(), QStringList({"05", "12", "2026"}));
        EXPECT_EQ(w->lbl_Datumangabe->text(), "Sonnabend, der 05.12.2026");
    }
}

TEST_F(MainWindowTest, CalculationRefusesAnEmptyOrZeroDayOrMonthWithoutComputing) {
    start();
    compute("29", "07", "2009");
    const QStringList before = display();
    struct Case {
        QString day, month, title, text;
        QLineEdit* Mondphase::*field;
    };
    const Case cases[] = {
        {"0", "07", "Luno-Mat   -   Falsche Tageszahleingabe",
         "Falsche Tageszahleingabe:\rDas Tagesdatum muss grundsätzlich größer Null (0) sein.", &Mondphase::txtTag},
        {"", "07", "Luno-Mat   -   Falsche Tageszahleingabe",
         "Falsche Tageszahleingabe:\rDas Tagesdatum muss grundsätzlich größer Null (0) sein.", &Mondphase::txtTag},
        {"12", "0", "Luno-Mat   -   Falsche Monatszahleingabe",
         "Falsche Monatszahleingabe:\rDas Monatsdatum muss grundsätzlich größer Null (0) sein.", &Mondphase::txtMonat},
    };
    for (const Case& c : cases) {
        compute(c.day, c.month, "2009");
        ASSERT_EQ(platform.kinds(), QStringList({"sound", "box"})) << c.day.toStdString();
        EXPECT_EQ(platform.events[1].title, c.title);
        EXPECT_EQ(platform.events[1].text, c.text);
        EXPECT_EQ(display(), before);
        EXPECT_EQ(QApplication::focusWidget(), w.get()->*c.field);
        EXPECT_EQ((w.get()->*c.field)->selectedText(), (w.get()->*c.field)->text());
    }
}

TEST_F(MainWindowTest, TodayCommandReturnsToToday) {
    start();
    compute("29", "07", "2009");
    platform.events.clear();
    w->Command2_Click();
    EXPECT_EQ(fields(), QStringList({"05", "12", "2026"}));
    EXPECT_EQ(w->lbl_Datumangabe->text(), "Sonnabend, der 05.12.2026");
    EXPECT_EQ(QApplication::focusWidget(), w->txtTag);
    EXPECT_EQ(w->txtTag->selectedText(), "05");
    EXPECT_TRUE(platform.events.empty());
}

TEST_F(MainWindowTest, MissingPictureKeepsThePreviousOne) {
    start();
    compute("29", "07", "2009");
    const QImage moon = shownMoon();
    ASSERT_FALSE(moon.isNull());
    // Missing, empty, or not a picture at all: the old picture stays.
    QTemporaryDir broken;
    platform.folder = broken.path();
    compute("03", "01", "2026");
    EXPECT_EQ(w->lbl_Mondphase->text(), "Vollmond");
    EXPECT_EQ(shownMoon(), moon);
    QDir().mkpath(broken.path() + "/mondgif");
    QFile empty(broken.path() + "/mondgif/mond-15.gif");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile text(broken.path() + "/mondgif/mond-28.gif");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("GIF89a but nothing else");
    text.close();
    compute("18", "01", "2026");  // new moon
    compute("02", "01", "2026");  // picture 28
    EXPECT_EQ(w->lbl_Mondphase->text(), "zunehmender Mond");
    EXPECT_EQ(shownMoon(), moon);
    EXPECT_TRUE(platform.events.empty());
}

// The regional short date format: which formats refuse to run.
TEST_F(MainWindowTest, RegionalDateFormatCheck) {
    struct Case {
        QString format;
        QDate today;
        QString refusal;  // "" when the program goes on
    };
    const QString a = "Lunomat   -   Falsche System-Datumseinstellung";
    const QString b = "Lunomat   -   Falsches Datumstrennzeichen";
    const Case cases[] = {
        {"yyyy-MM-dd", {2026, 12, 5}, a}, {"yyyy.MM.dd", {2026, 12, 5}, a}, {"dd-MM-yyyy", {2026, 12, 5}, b},
        {"d-M-yyyy", {2026, 12, 5}, a},   {"d-M-yyyy", {2026, 12, 15}, b},  {"yy.MM.dd", {2026, 1, 5}, ""},
        {"yy.M.d", {2026, 1, 5}, a},      {"dd.MM.yyyy", {2026, 12, 5}, ""}, {"dd.MM.yy", {2026, 12, 5}, ""},
        {"d.M.yyyy", {2026, 12, 5}, ""},  {"d.M.yyyy", {2026, 1, 15}, ""},  {"M/d/yy", {2026, 12, 6}, ""},
    };
    for (const Case& c : cases) {
        platform.events.clear();
        platform.dateFormat = c.format;
        platform.clock = QDateTime(c.today, QTime(10, 0));
        Mondphase window(platform);
        window.Form_Load();
        const std::string what = (c.format + " " + c.today.toString()).toStdString();
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(platform.events.empty()) << what;
            EXPECT_FALSE(window.lbl_Mondphase->text().isEmpty()) << what;
        } else {
            ASSERT_EQ(platform.kinds(), QStringList({"box", "end"})) << what;
            EXPECT_EQ(platform.events[0].title, c.refusal) << what;
            EXPECT_EQ(platform.events[0].icon, MessageIcon::Exclamation);
            EXPECT_TRUE(platform.events[0].text.endsWith("\r\rACHTUNG: Das Programm wird jetzt beendet."));
            EXPECT_TRUE(window.lbl_Mondphase->text().isEmpty()) << what;  // nothing after the refusal
            EXPECT_FALSE(window.Timer5->isActive());
        }
    }
    // The format is checked at every computation, not only at start-up.
    platform.dateFormat = "dd.MM.yyyy";
    start();
    platform.dateFormat = "yyyy-MM-dd";
    platform.events.clear();
    compute("29", "07", "2009");
    EXPECT_EQ(platform.kinds(), QStringList({"box", "end"}));
}

TEST_F(MainWindowTest, ControlsFollowTheDesign) {
    start();
    EXPECT_EQ(w->size(), QSize(577, 427));
    EXPECT_EQ(w->txtTag->geometry(), QRect(413, 277, 38, 34));
    EXPECT_EQ(w->StatusBar1->geometry().bottom(), w->height() - 1);
    EXPECT_EQ(w->txtTag->accessibleName(), "Tag");
    EXPECT_EQ(w->txtJahr->accessibleName(), "Jahr");
    EXPECT_EQ(w->Command1->text(), "&Berechnen");
    // Tab order from the OK button through the fields to the zodiac button.
    QWidget* f = w->cmd_Abbrechen;
    QStringList order;
    for (int i = 0; i < 10; ++i, f = f->nextInFocusChain()) {
        while (f->focusPolicy() == Qt::NoFocus) f = f->nextInFocusChain();
        order << f->objectName() + (qobject_cast<QLineEdit*>(f) ? "field" : qobject_cast<QPushButton*>(f)->text());
    }
    EXPECT_EQ(order, QStringList({"&OK", "&Berechnen", "&Info", "&Heute", "&Jahres-Mondphasen", "&Mondfinsternisse",
                                  "field", "field", "field", "Mondtier- u. Sonnenstern-&Kreiszeichen"}));
}

}  // namespace
}  // namespace lunomat::test
