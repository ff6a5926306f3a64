// The main window as a user sees it: start-up, typed dates and their
// answers, the display, the regional date-format check and the controls.

#include "testsupport/golden.h"
#include "tests/ui/main/main_window_fixture.h"

namespace lunomat::test {
namespace {

// The result lines of the worked example are the lines lunomat-cli prints.
TEST_F(MainWindowTest, DatesAreShownOrCorrected) {
    struct Case { QString day; QString box; QString dateLine; int picture; };
    const Case cases[] = {
        {"03.01.2026", "", "Sonnabend, der 03.01.2026", 1},
        {"17.01.2026", "", "Sonnabend, der 17.01.2026", 14},
        {"31.04.2026", "dieser Monat hatte nur 30 Tage", "Donnerstag, der 30.04.2026", 0},
    };
    start();
    for (const Case& c : cases) {
        compute(c.day.left(2), c.day.mid(3, 2), c.day.mid(6));
        const std::string what = c.day.toStdString();
        const PlatformEvent* box = platform.lastBox();
        EXPECT_TRUE(c.box.isEmpty() ? platform.events.empty() : box && box->text.contains(c.box)) << what;
        EXPECT_EQ(text("lbl_Datumangabe"), c.dateLine) << what;
        if (c.picture == 0) continue;
        const QImage shown = find("Image2")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage designed = QImage(platform.folder + QString("/mondgif/mond-%1.gif").arg(c.picture, 2, 10, QChar('0')))
                                    .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, designed) << what;
    }
    compute("29", "07", "2009");
    const QStringList lines = {text("lbl_Datumangabe"), text("lbl_MPh"), text("lbl_Mondphase"), text("Label5"),
                               text("Label6"), text("Label7")};
    EXPECT_EQ(matchesGolden(lines, "ui/main/phase-29.07.2009.txt"), "");
}

// Every field answers a wrong entry with the sound and its own message (the
// messages' whole texts are in the date-entry table), whatever was typed.
TEST_F(MainWindowTest, WrongEntriesGetTheirFieldsMessage) {
    struct Case { const char* field; QString typed; QString boxStart; QStringList after; };
    const Case cases[] = {
        {"txtTag", "35", "Falsche Tageszahleingabe:\rDas Tagesdatum", {"", "07", "2009"}},
        {"txtMonat", "1,", "Falsche Monatszahleingabe:\rDas Monatsdatum", {"29", "", "2009"}},
        {"txtJahr", "x", "", {"29", "07", "2026"}},
        {"txtJahr", "1899\r", "Falsche Jahreszahleingabe:\rDas Datum muss zwischen", {"05", "12", "2026"}},
    };
    start();
    for (const Case& c : cases) {
        compute("29", "07", "2009");
        QLineEdit* f = find<QLineEdit>(c.field);
        f->setFocus();
        f->selectAll();
        platform.events.clear();
        for (const QChar ch : c.typed)
            ch == '\r' ? QTest::keyClick(f, Qt::Key_Return) : QTest::keyClicks(f, QString(ch));
        const std::string what = c.typed.toStdString();
        ASSERT_GE(platform.events.size(), 1u) << what;
        EXPECT_EQ(platform.events[0].kind, "sound") << what;
        EXPECT_EQ(platform.lastBox() ? platform.lastBox()->text.left(c.boxStart.size()) : "", c.boxStart) << what;
        EXPECT_EQ(fields(), c.after) << what;
        EXPECT_EQ(text("lbl_Datumangabe"), "Mittwoch, der 29.07.2009") << what;  // nothing computed
    }
}

TEST_F(MainWindowTest, RegionalDateFormatCheck) {
    struct Case { QString format; QDate today; QString refusal; };
    const QString a = "Lunomat   -   Falsche System-Datumseinstellung";
    const QString b = "Lunomat   -   Falsches Datumstrennzeichen";
    const Case cases[] = {
        {"yyyy-MM-dd", {2026, 12, 5}, a}, {"yyyy.MM.dd", {2026, 12, 5}, a}, {"dd-MM-yyyy", {2026, 12, 5}, b},
        {"d-M-yyyy", {2026, 12, 5}, a},   {"d-M-yyyy", {2026, 12, 15}, b},  {"yy.MM.dd", {2026, 1, 5}, ""},
        {"yy.M.d", {2026, 1, 5}, a},      {"dd.MM.yy", {2026, 12, 5}, ""},  {"d.M.yyyy", {2026, 1, 15}, ""},
        {"M/d/yy", {2026, 12, 6}, ""},
    };
    for (const Case& c : cases) {
        platform.events.clear();
        platform.dateFormat = c.format;
        platform.clock = QDateTime(c.today, QTime(10, 0));
        w = std::make_unique<Mondphase>(platform);
        w->Form_Load();
        const std::string what = (c.format + " " + c.today.toString()).toStdString();
        EXPECT_EQ(text("lbl_Mondphase").isEmpty(), !c.refusal.isEmpty()) << what;
        ASSERT_EQ(platform.kinds(), c.refusal.isEmpty() ? QStringList() : QStringList({"box", "end"})) << what;
        if (c.refusal.isEmpty()) continue;
        EXPECT_EQ(platform.events[0].title, c.refusal) << what;
        EXPECT_TRUE(platform.events[0].text.endsWith("\r\rACHTUNG: Das Programm wird jetzt beendet."));
    }
}

// Today in the fields, caption and status bar; the controls as designed.
TEST_F(MainWindowTest, StartUpAndControlsFollowTheDesign) {
    start();
    EXPECT_EQ(fields(), QStringList({"05", "12", "2026"}));
    EXPECT_EQ(w->windowTitle(), " Luno-Mat   -   Version:  1.0.5    Build:  5.0.002   ( Lunoskop )");
    EXPECT_EQ(QStringList({text("StatusBar1Panel1"), text("StatusBar1Panel2"), text("StatusBar1Panel3"),
                           text("StatusBar1Panel4")}),
              QStringList({"Luno-Skop", "Kalenderdatum:  05.12.2026", "Uhrzeit: 09.07  Uhr", "  © 2007-2026 Luno-Mat"}));
    EXPECT_EQ(text("lbl_Datumangabe"), "Sonnabend, der 05.12.2026");
    EXPECT_TRUE(platform.events.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return focus() == day(); }, 2000));
    EXPECT_EQ(day()->selectedText(), "05");
    EXPECT_EQ(w->size(), QSize(577, 427));
    EXPECT_EQ(day()->geometry(), QRect(413, 277, 38, 34));
    EXPECT_EQ(year()->accessibleName(), "Jahr");
    // Text sizes in pixels at 96 dpi, from the design's points.
    const std::pair<const char*, int> sizes[] = {{"lbl_Datumangabe", 13}, {"lbl_MPh", 15}, {"Label5", 11},
                                                 {"lbl_Mondphase", 21}, {"txtTag", 23}, {"StatusBar1Panel1", 11}};
    for (const auto& [name, pixels] : sizes) EXPECT_EQ(find<QWidget>(name)->font().pixelSize(), pixels) << name;
    // A selected date shows pale yellow on navy.
    for (QLineEdit* f : {day(), month(), year()})
        EXPECT_EQ(QList({f->palette().color(QPalette::Highlight), f->palette().color(QPalette::HighlightedText)}),
                  QList({QColor(0, 0, 128), QColor(255, 255, 128)}));
    // Tab order from the OK button through the fields to the zodiac button.
    QWidget* f = button("cmd_Abbrechen");
    QStringList order;
    for (int i = 0; i < 10; ++i, f = f->nextInFocusChain()) {
        while (f->focusPolicy() == Qt::NoFocus) f = f->nextInFocusChain();
        order << f->objectName();
    }
    EXPECT_EQ(order, QStringList({"cmd_Abbrechen", "Command1", "cmdInfo", "Command2", "cmd_Phasen", "cmd_Finsternis",
                                  "txtTag", "txtMonat", "txtJahr", "cmd_Kreiszeichen"}));
    // The six grey star dots lie above the star sky; a screen reader does
    // not read them as "'".
    for (const char* name : {"Label10_4", "Label10_5", "Label10_7", "Label10_8", "Label10_9", "Label10_12"}) {
        QLabel* dot = find(name);
        EXPECT_EQ(w->childAt(dot->geometry().center()), dot) << name;
        EXPECT_EQ(dot->palette().color(QPalette::WindowText), QColor(128, 128, 128)) << name;
        EXPECT_NE(dot->accessibleName(), "'") << name;
    }
    EXPECT_EQ(find("lbl_Mondphase")->palette().color(QPalette::WindowText), QColor(255, 255, 128));
    // The two grey bands across the window and the status bar between its panels.
    const QImage shot = w->grab().toImage();
    EXPECT_EQ(QList({shot.pixelColor(300, 267), shot.pixelColor(300, 335), shot.pixelColor(0, 418)}),
              QList({QColor(128, 128, 128), QColor(128, 128, 128), QColor(212, 208, 200)}));
}

}  // namespace
}  // namespace lunomat::test
