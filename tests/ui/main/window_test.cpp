// The main window as a user sees it: start-up, typed dates and their
// answers, the display, the regional date-format check and the controls.

#include "testsupport/main_window_fixture.h"

namespace lunomat::test {

// Today in the fields, caption and status bar; the controls as designed;
// then dates typed in and their answers.
TEST_F(MainWindowTest, StartsAsDesignedAndAnswersEachDateTyped) {
    start();
    EXPECT_EQ(w->windowTitle(), " Luno-Mat   -   Version:  1.0.5    Build:  5.0.002   ( Lunoskop )");
    ASSERT_TRUE(QTest::qWaitFor([&] { return focus() == day(); }, 2000));
    EXPECT_EQ(day()->selectedText(), "05");
    EXPECT_EQ(w->size(), QSize(577, 427));
    // Every control's text (today in the fields and the status bar), place,
    // text size, colours, tab stop and names, as recorded from the design (a
    // selected date pale yellow on navy; the grey star dots not read as "'").
    EXPECT_EQ(matchesGolden(controlsRecord(*w), "ui/main/controls.txt"), "");
    // The six star dots lie above the star sky.
    for (const char* name : {"Label10_4", "Label10_5", "Label10_7", "Label10_8", "Label10_9", "Label10_12"})
        EXPECT_EQ(w->childAt(find(name)->geometry().center()), find(name)) << name;
    // The two grey bands across the window and the status bar between its panels.
    const QImage shot = w->grab().toImage();
    EXPECT_EQ(QList({shot.pixelColor(300, 267), shot.pixelColor(300, 335), shot.pixelColor(0, 418)}),
              QList({QColor(128, 128, 128), QColor(128, 128, 128), QColor(212, 208, 200)}));

    for (const QStringList& c : readCases("ui/main/dates.tsv", 3)) {
        compute(c[0].left(2), c[0].mid(3, 2), c[0].mid(6));
        const PlatformEvent* box = platform.lastBox();
        // A correction has the exclamation icon (the field checks the stop icon).
        EXPECT_TRUE(c[1].isEmpty() ? platform.events.empty()
                                   : box && box->text.contains(c[1]) && box->icon == MessageIcon::Exclamation)
            << c[0].toStdString();
        EXPECT_EQ(text("lbl_Datumangabe"), c[2]);
        if (c[3] == "0") continue;
        const QImage shown = find("Image2")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage designed = QImage(platform.folder + "/mondgif/mond-" + c[3].rightJustified(2, '0') + ".gif")
                                    .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, designed) << c[0].toStdString();
    }
    compute("29", "07", "2009");
    for (const QStringList& line : readTable("ui/main/worked-example.tsv")) EXPECT_EQ(text(line[0]), line[1]);
    // Ctrl+O in the year field computes as Enter does; another Ctrl key does not.
    year()->setText("2010");
    QTest::keyClick(year(), Qt::Key_A, Qt::ControlModifier);
    const QString before = text("lbl_Datumangabe");
    QTest::keyClick(year(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(before + " / " + text("lbl_Datumangabe"), "Mittwoch, der 29.07.2009 / Donnerstag, der 29.07.2010");

    // Every field answers a wrong entry with the sound and its own message (the
    // messages' whole texts are in the date-entry table), whatever was typed.
    for (const QStringList& c : readCases("ui/main/wrong-entries.tsv", 4)) {
        SCOPED_TRACE(c[1].toStdString());
        compute("29", "07", "2009");
        typeOver(find<QLineEdit>(c[0]), c[1]);
        EXPECT_EQ(platform.kinds().value(0), "sound");
        EXPECT_EQ(platform.lastBox() ? platform.lastBox()->text.left(c[2].size()) : "", c[2]);
        EXPECT_TRUE(!platform.lastBox() || platform.lastBox()->icon == MessageIcon::Critical);
        EXPECT_EQ(fields(), c.mid(3));
        EXPECT_EQ(text("lbl_Datumangabe"), "Mittwoch, der 29.07.2009");  // nothing computed
    }
}

TEST_F(MainWindowTest, StartUpChecksTheRegionalDateFormatAndNamesTheYears) {
    for (const QStringList& c : readCases("ui/main/start-ups.tsv", 19)) {
        SCOPED_TRACE((c[0] + " " + c[1]).toStdString());
        platform.events.clear();
        platform.dateFormat = c[0];
        start(QDateTime(QDate::fromString(c[1], "dd.MM.yyyy"), QTime(10, 0)), false);
        EXPECT_EQ(text("lbl_Mondphase").isEmpty(), !c[2].isEmpty());
        ASSERT_EQ(platform.kinds(), c[2].isEmpty() ? QStringList() : QStringList({"box", "end"}));
        EXPECT_EQ(c[3].isEmpty() ? c[3] : text("StatusBar1Panel4"), c[3]);  // the copyright notice
        if (c[2].isEmpty()) continue;
        EXPECT_EQ(platform.events[0].title, c[2]);
        EXPECT_TRUE(platform.events[0].text.endsWith("\r\rACHTUNG: Das Programm wird jetzt beendet."));
    }
}

}  // namespace lunomat::test
