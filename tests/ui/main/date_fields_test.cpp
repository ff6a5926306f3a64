// The three date fields with real keystrokes: checks while typing, focus
// moves, Enter and Ctrl+O, and a long random typing session.
#include <QPushButton>
#include <random>

#include "tests/ui/main/main_window_fixture.h"

namespace lunomat::test {
namespace {

class DateFieldsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        start();
        compute("29", "07", "2009");
        platform.events.clear();
    }
    // Clears a field with the keyboard, then types text into it.
    void typeInto(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        platform.events.clear();
        QTest::keyClicks(field, text);
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
};

TEST_F(DateFieldsTest, DayAcceptedAfterTwoCharactersMovesToTheMonth) {
    typeInto(w->txtTag, "1");
    EXPECT_EQ(w->txtTag->text(), "1");
    EXPECT_EQ(w->txtTag->cursorPosition(), 1);
    EXPECT_EQ(focus(), w->txtTag);
    QTest::keyClicks(w->txtTag, "5");
    EXPECT_EQ(w->txtTag->text(), "15");
    EXPECT_EQ(focus(), w->txtMonat);
    EXPECT_EQ(w->txtMonat->selectedText(), "07");
    // "-1" cannot be typed ("-" alone is no number) but can be pasted.
    for (const QString day : {"31", "30", "-1", "01"}) {
        typeInto(w->txtTag, "");
        w->txtTag->insert(day);
        EXPECT_EQ(focus(), w->txtMonat) << day.toStdString();
        EXPECT_TRUE(platform.events.empty());
    }
}

TEST_F(DateFieldsTest, WrongDaysAndMonthsAreAnsweredAndEmptied) {
    struct Case {
        QLineEdit* Mondphase::*field;
        QString typed;
        QString title;  // "" = sound without box
        QString text;
    };
    const QString day = "Luno-Mat   -   Falsche Tageszahleingabe";
    const QString month = "Luno-Mat   -   Falsche Monatszahleingabe";
    const QString dayText = "Falsche Tageszahleingabe:\rDas Tagesdatum stimmt nicht.";
    const QString monthText = "Falsche Monatszahleingabe:\rDas Monatsdatum stimmt nicht.";
    const Case cases[] = {
        {&Mondphase::txtTag, "35", day, dayText},     {&Mondphase::txtTag, "32", day, dayText},
        {&Mondphase::txtTag, "40", day, dayText},     {&Mondphase::txtTag, "00", day, dayText},
        {&Mondphase::txtTag, "a", "", ""},            {&Mondphase::txtMonat, "13", month, monthText},
        {&Mondphase::txtMonat, "00", month, monthText}, {&Mondphase::txtMonat, "x", "", ""},
    };
    for (const Case& c : cases) {
        QLineEdit* field = w.get()->*c.field;
        typeInto(field, c.typed);
        const std::string what = c.typed.toStdString();
        if (c.title.isEmpty()) {
            EXPECT_EQ(platform.kinds(), QStringList({"sound"})) << what;
        } else {
            ASSERT_EQ(platform.kinds(), QStringList({"sound", "box"})) << what;
            EXPECT_EQ(platform.events[1].title, c.title);
            EXPECT_EQ(platform.events[1].text, c.text);
            EXPECT_EQ(platform.events[1].icon, MessageIcon::Critical);
        }
        EXPECT_EQ(field->text(), "") << what;
        EXPECT_EQ(focus(), field) << what;
    }
}

TEST_F(DateFieldsTest, MonthAcceptedMovesToTheWholeYearAndEmptyingIsQuiet) {
    typeInto(w->txtMonat, "12");
    EXPECT_EQ(focus(), w->txtJahr);
    EXPECT_EQ(w->txtJahr->selectedText(), "2009");
    w->txtMonat->setFocus();
    w->txtMonat->end(false);
    platform.events.clear();
    QTest::keyClick(w->txtMonat, Qt::Key_Backspace);
    QTest::keyClick(w->txtMonat, Qt::Key_Backspace);
    EXPECT_EQ(w->txtMonat->text(), "");
    EXPECT_TRUE(platform.events.empty());
    // A lone "0" stays in the day field; Enter on it only sounds.
    typeInto(w->txtTag, "0");
    EXPECT_EQ(w->txtTag->text(), "0");
    QTest::keyClick(w->txtTag, Qt::Key_Return);
    EXPECT_EQ(platform.kinds(), QStringList({"sound"}));
    EXPECT_EQ(focus(), w->txtTag);
}

TEST_F(DateFieldsTest, YearFieldNeverStaysEmptyOrWrong) {
    w->txtJahr->setFocus();
    w->txtJahr->end(false);
    for (int i = 0; i < 4; ++i) QTest::keyClick(w->txtJahr, Qt::Key_Backspace);
    EXPECT_EQ(w->txtJahr->text(), "2026");
    EXPECT_EQ(platform.kinds(), QStringList({"sound"}));

    w->txtJahr->setText("202");  // no check of length while typing
    EXPECT_EQ(w->txtJahr->text(), "202");
    w->txtJahr->end(false);
    platform.events.clear();
    QTest::keyClicks(w->txtJahr, "x");
    EXPECT_EQ(w->txtJahr->text(), "2026");
    EXPECT_EQ(platform.kinds(), QStringList({"sound", "sound"}));

    w->txtJahr->setText("202");
    w->txtJahr->end(false);
    QTest::keyClicks(w->txtJahr, "6");
    EXPECT_EQ(w->txtJahr->selectedText(), "6");
    QTest::keyClicks(w->txtJahr, "7");
    EXPECT_EQ(w->txtJahr->text(), "2027");  // the fourth digit was selected
}

TEST_F(DateFieldsTest, EnterInTheYearChecksTheRangeThenComputes) {
    const QStringList before = display();
    for (const QString year : {"1899", "2101", "0"}) {
        setFields("29", "07", year);
        w->txtJahr->setFocus();
        platform.events.clear();
        QTest::keyClick(w->txtJahr, Qt::Key_Return);
        ASSERT_EQ(platform.kinds(), QStringList({"sound", "box"})) << year.toStdString();
        EXPECT_EQ(platform.events[1].text,
                  "Falsche Jahreszahleingabe:\rDas Datum muss zwischen dem Jahr 1900 und dem Jahr 2100 liegen.\r\r"
                  "Hinweis:\rDie Eingabefenster (Tag, Monat, Jahr) werden auf das aktuelle Kalenderjahr "
                  "zurückgesetzt.");
        EXPECT_EQ(fields(), QStringList({"05", "12", "2026"}));
        EXPECT_EQ(focus(), w->txtTag);
        EXPECT_EQ(w->txtTag->selectedText(), "05");
        EXPECT_EQ(display(), before);  // no computation
    }
    for (const QString year : {"1900", "2100"}) {
        setFields("01", "01", year);
        platform.events.clear();
        QTest::keyClick(w->txtJahr, Qt::Key_Return);
        EXPECT_TRUE(platform.events.empty());
        EXPECT_EQ(w->lbl_Datumangabe->text().right(10), "01.01." + year);
    }
}

TEST_F(DateFieldsTest, EnterWithAZeroDayNamesTheDayOnly) {
    setFields("0", "0", "2009");
    platform.events.clear();
    QTest::keyClick(w->txtJahr, Qt::Key_Return);
    ASSERT_EQ(platform.kinds(), QStringList({"sound", "box"}));
    EXPECT_EQ(platform.events[1].text,
              "Falsche Tageszahleingabe:\rDas Tagesdatum muss grundsätzlich größer Null (0) sein.");
    EXPECT_EQ(focus(), w->txtTag);
    setFields("12", "0", "2009");
    platform.events.clear();
    QTest::keyClick(w->txtJahr, Qt::Key_Return);
    ASSERT_EQ(platform.kinds(), QStringList({"sound", "box"}));
    EXPECT_EQ(platform.events[1].title, "Luno-Mat   -   Falsche Monatszahleingabe");
    EXPECT_EQ(focus(), w->txtMonat);
}

TEST_F(DateFieldsTest, CtrlOComputesOnlyInTheYearAndEnterMovesOn) {
    setFields("03", "01", "2026");
    QTest::keyClick(w->txtTag, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(w->txtMonat, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w->lbl_Mondphase->text(), "Halbmond zunehmend");  // still 29.07.2009
    QTest::keyClick(w->txtJahr, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w->lbl_Mondphase->text(), "Vollmond");

    setFields("07", "01", "2026");
    w->txtTag->setFocus();
    QTest::keyClick(w->txtTag, Qt::Key_Return);
    EXPECT_EQ(focus(), w->txtMonat);
    EXPECT_EQ(w->txtMonat->selectedText(), "01");
    EXPECT_EQ(w->lbl_Mondphase->text(), "Vollmond");  // no computation
    QTest::keyClick(w->txtMonat, Qt::Key_Return);
    EXPECT_EQ(focus(), w->txtJahr);
    EXPECT_EQ(w->txtJahr->selectedText(), "2026");
}

TEST_F(DateFieldsTest, PastedLongTextsFollowTheSameRules) {
    w->txtTag->setFocus();
    w->txtTag->selectAll();
    QApplication::clipboard();
    w->txtTag->insert(QString(30, QLatin1Char('9')));
    EXPECT_EQ(w->txtTag->text(), "");  // above "31": answered and emptied
    EXPECT_EQ(platform.count("box"), 1);
    // Too long to be converted to a number at all: emptied with the sound.
    platform.events.clear();
    w->txtTag->insert(QString(5000, QLatin1Char('9')));
    EXPECT_EQ(w->txtTag->text(), "");
    EXPECT_EQ(platform.kinds(), QStringList({"sound"}));
    // A month the change handler lets pass by its text comparison.
    w->txtMonat->selectAll();
    w->txtMonat->insert("-0");
    EXPECT_EQ(w->txtMonat->text(), "");
    EXPECT_EQ(platform.count("box"), 1);
    w->txtJahr->selectAll();
    w->txtJahr->insert(QString(5000, QLatin1Char('a')));
    EXPECT_EQ(w->txtJahr->text(), "2026");
    EXPECT_LE(w->maxChangeDepth(), 3);
}

// Random typing: nothing breaks, the year never stays empty, every field
// message comes after its sound, and handlers never nest deeply.
TEST_F(DateFieldsTest, RandomTypingKeepsTheFieldsSound) {
    const unsigned seed = 20261206;
    std::mt19937 rng(seed);
    const QString alphabet = QStringLiteral("0123456789012345678901234567890123ab-, ");
    const std::array<QLineEdit*, 3> all = {w->txtTag, w->txtMonat, w->txtJahr};
    int boxesChecked = 0;
    for (int sequence = 0; sequence < 20000; ++sequence) {
        QLineEdit* target = all[rng() % 3];
        target->setFocus();
        const int length = 1 + int(rng() % 6);
        for (int k = 0; k < length; ++k) {
            platform.events.clear();
            QWidget* fw = QApplication::focusWidget();
            QLineEdit* field = std::find(all.begin(), all.end(), fw) != all.end() ? static_cast<QLineEdit*>(fw) : target;
            const unsigned pick = rng() % 20;
            if (pick == 0) QTest::keyClick(field, Qt::Key_Return);
            else if (pick == 1) QTest::keyClick(field, Qt::Key_O, Qt::ControlModifier);
            else if (pick <= 3) QTest::keyClick(field, Qt::Key_Backspace);
            else QTest::keyClick(field, alphabet.at(int(rng() % alphabet.size())).toLatin1());

            ASSERT_FALSE(w->txtJahr->text().isEmpty()) << "seed " << seed << " sequence " << sequence;
            for (std::size_t e = 0; e < platform.events.size(); ++e) {
                const PlatformEvent& ev = platform.events[e];
                if (ev.kind == "box" && ev.title.startsWith("Luno-Mat   -   ")) {
                    ASSERT_TRUE(e > 0 && platform.events[e - 1].kind == "sound")
                        << "seed " << seed << " sequence " << sequence << ": " << ev.title.toStdString();
                    ++boxesChecked;
                }
            }
        }
    }
    EXPECT_GT(boxesChecked, 100);
    EXPECT_LE(w->maxChangeDepth(), 3);
    EXPECT_LE(w->maxLoadDepth(), 2);
}

}  // namespace
}  // namespace lunomat::test
