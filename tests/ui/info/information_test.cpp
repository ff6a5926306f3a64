// The about window: version and warranty texts, the two links, and every way
// of closing it handing the focus back to the main window's day field.
#include "ui/info/information.h"
#include "testsupport/ui_test.h"
#include "ui/info/caption_frame.h"
#include "ui/platform/version.h"

namespace lunomat::test {

// Shown, it has the designed controls, the whole note and five captions of
// one size; each link click opens its address once and leaves it as it was.
// Every way of closing it hands the focus back to the main window's day field.
TEST(Information, ShowsItsControlsEachLinkOpensItsAddressAndClosingGivesTheDayFieldTheFocus) {
    FakePlatform platform;
    QWidget mainWindow;  // stands in for the main window
    QLineEdit* day = new QLineEdit(QStringLiteral("05"), &mainWindow);
    QLineEdit* other = new QLineEdit(QStringLiteral("2026"), &mainWindow);
    other->move(0, 30);
    ASSERT_TRUE(showActive(mainWindow));
    {
        Information info(platform, day, &mainWindow);
        info.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
        EXPECT_EQ(matchesGolden(controlsRecord(info), "ui/info/controls.txt"), "");
        // 6870 x 4905 twips: the status bar (0/4635/6870/270) runs along its whole bottom edge.
        EXPECT_EQ(info.size(), QSize(458, 327));

        // The replacement fonts must not cut off the end of the note.
        const QLabel* note = info.findChild<QLabel*>("Label6");
        const QRect needed =
            QFontMetrics(note->font())
                .boundingRect(note->contentsRect(), int(note->alignment()) | Qt::TextWordWrap, note->text());
        EXPECT_LE(needed.height(), note->contentsRect().height());

        // Each caption is drawn whole in the window's font: the run of its
        // colour along the top edge is as wide as the text in that font.
        for (const QStringList& row : readCases("ui/info/captions.tsv", 5)) {
            QWidget* frame = info.findChild<QWidget*>(row[0]);
            const QImage image = frame->grab().toImage();
            const QFontMetrics fm(frame->font());
            const QColor background = image.pixelColor(frame->width() / 2, frame->height() / 2);
            int left = image.width(), right = -1;
            for (int y = 0; y < fm.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (const QColor c = image.pixelColor(x, y);
                        c.red() > 200 && c.green() > 200 && c.blue() < 200 && c != background)
                        left = std::min(left, x), right = std::max(right, x);
            EXPECT_NEAR(right - left + 1, fm.horizontalAdvance(row[1]), 3) << row[0].toStdString();
            // Where it starts: a long caption keeps clear of the right corner.
            EXPECT_EQ(left, row[2].toInt()) << row[0].toStdString();
        }

        QLabel *url = info.findChild<QLabel*>("URL"), *mail = info.findChild<QLabel*>("Mail");
        const QString urlText = url->text();
        const QRect geometry = info.geometry();

        for (const auto& [link, path] : {std::pair{url, "/"}, {mail, "/support.php"}, {url, "/"}}) {
            platform.events.clear();
            QTest::mouseClick(link, Qt::LeftButton);
            ASSERT_EQ(platform.kinds(), QStringList{"url"});
            EXPECT_EQ(platform.events[0].text, QStringLiteral("http://") + kWebHost + path + "?ref=" + kRefTag);
            EXPECT_TRUE(info.isVisible() && url->text() == urlText && info.geometry() == geometry);
        }

        // A right click, or a press released over the other link, is no click:
        // the last link's address stays the only one opened.
        QTest::mouseClick(mail, Qt::RightButton);
        QTest::mousePress(url, Qt::LeftButton);
        QTest::mouseRelease(mail, Qt::LeftButton);
        EXPECT_EQ(platform.kinds(), QStringList{"url"});

        // Both links show the program's hand, its hot spot read from
        // assets/cursor-hand.txt ("9 0").
        for (QLabel* link : {url, mail})
            EXPECT_EQ(std::pair(link->cursor().shape(), link->cursor().hotSpot()),
                      std::pair(Qt::BitmapCursor, QPoint(9, 0)));
        EXPECT_EQ(info.findChild<QLabel*>("Label4")->cursor().shape(), Qt::ArrowCursor);
    }

    // OK, the close box and Alt+O end the dialog and put the focus into the day
    // field; Escape and Enter leave it open (OK is neither default nor cancel).
    platform.events.clear();
    for (const QStringList& c : readCases("ui/info/closing.tsv", 5)) {
        SCOPED_TRACE(c[0].toStdString());
        other->setFocus();
        Information info(platform, day, &mainWindow);
        QSignalSpy finished(&info, &QDialog::finished);
        bool closed = false, visibleAtClose = true;
        QTimer::singleShot(0, &info, [&] {
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &info; }));
            QPushButton* ok = info.findChild<QPushButton*>("cmdOK");
            EXPECT_TRUE(ok->hasFocus());
            if (c[0] == "click") QTest::mouseClick(ok, Qt::LeftButton);
            else if (c[0] == "close box") info.close();
            else QTest::keySequence(ok, QKeySequence(c[0]));
            // A mnemonic clicks after a short animation.
            closed = QTest::qWaitFor([&] { return finished.count() > 0; }, 500) && finished.count() == 1;
            visibleAtClose = info.isVisible();
            if (!closed) info.QDialog::done(QDialog::Rejected);  // end exec() without the unload
        });
        info.exec();
        EXPECT_EQ(closed, c[1] == "yes");
        if (!closed) continue;
        EXPECT_FALSE(visibleAtClose);
        EXPECT_EQ(mainWindow.focusWidget(), day);
        // The window system hands activation back to the main window.
        mainWindow.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return day->hasFocus(); }, 2000));
    }
    EXPECT_EQ(platform.count("url"), 0);
}

// The etched outline of a framed group: a dark line with a light one just
// inside it (the frame's background 1.8 times darker and 1.9 times
// lighter), broken on top where the caption stands.
TEST(CaptionFrame, OutlineIsADarkLineWithALightOneInside) {
    CaptionFrame frame(QString(8, QLatin1Char(' ')), Qt::yellow, nullptr);
    frame.resize(100, 60);
    frame.setPalette(QPalette(QColor(64, 64, 64)));  // the window colour is the one given
    frame.setAutoFillBackground(true);
    const QImage image = frame.grab().toImage();
    // d dark (64 / 1.8), l light (64 * 1.9), both rounded; w the background.
    const QList<QColor> shades = {QColor(36, 36, 36), QColor(122, 122, 122), QColor(64, 64, 64)};
    const int caption = QFontMetrics(frame.font()).height() / 2;                       // the caption's middle line
    EXPECT_EQ(pixelRun(image, {0, 30}, {1, 0}, 4, "dlw", shades), "dlww");             // left edge
    EXPECT_EQ(pixelRun(image, {95, 30}, {1, 0}, 5, "dlw", shades), "wwdlw");           // right edge
    EXPECT_EQ(pixelRun(image, {50, 55}, {0, 1}, 5, "dlw", shades), "wwdlw");           // bottom edge
    EXPECT_EQ(pixelRun(image, {4, caption - 2}, {0, 1}, 5, "dlw", shades), "wwdlw");   // top edge, left of the caption
    EXPECT_EQ(pixelRun(image, {90, caption - 2}, {0, 1}, 5, "dlw", shades), "wwdlw");  // top edge, right of it
    EXPECT_EQ(pixelRun(image, {14, caption - 1}, {0, 1}, 4, "dlw", shades), "wwww");   // broken by a caption of blanks
}

}  // namespace lunomat::test
