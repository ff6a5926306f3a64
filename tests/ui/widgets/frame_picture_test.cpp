// The star sky's pictures: kept with one byte a pixel, shown in full even
// where other controls cover parts of them.
#include "ui/widgets/frame_picture.h"
#include "testsupport/ui_test.h"

namespace lunomat::test {

TEST(CompactFrame, KeepsAFewColouredPictureExactlyAndAManyColouredOneClose) {
    QImage few(40, 30, QImage::Format_RGB32);
    few.fill(qRgb(0, 0, 40));
    for (int i = 0; i < 30; ++i) few.setPixel(i, i, qRgb(255, 255, 200 + i));
    const QList<QRgb> colours = pictureColours(few);
    ASSERT_EQ(colours.size(), 31);
    EXPECT_EQ(colours.mid(0, 2), QList<QRgb>({qRgb(255, 255, 200), qRgb(0, 0, 40)}));  // in the order they appear

    const QImage compact = compactFrame(few, colours);
    EXPECT_EQ(compact.colorTable().mid(0, 31), colours);  // only an image of one byte a pixel holds 31 colours
    EXPECT_EQ(largestDifference(compact.convertToFormat(QImage::Format_RGB32), few), 0);

    // 300 colours, colour k on 300 - k pixels: the 256 commonest stay exact,
    // the others take the nearest colour kept.
    QImage many(300, 300, QImage::Format_RGB32);
    many.fill(Qt::black);
    for (int k = 0; k < 300; ++k)
        for (int x = 0; x < 300 - k; ++x) many.setPixel(x, k, qRgb(k / 2, 255 - k / 2, k % 2 ? 100 : 110));
    const QImage close = compactFrame(many, {}).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(largestDifference(close.copy(0, 0, 300, 255), many.copy(0, 0, 300, 255)), 0);
    EXPECT_LE(largestDifference(close, many), 23);  // the nearest kept colour is 23 levels off at most
    // Each pixel takes the colour Qt's own conversion picks: the nearest, the first of equally near ones.
    for (const QImage& picture : {many, gradient(120, 90)}) {
        const QImage compact = compactFrame(picture, pictureColours(gradient(40, 4)));
        EXPECT_TRUE(compact == picture.convertToFormat(QImage::Format_Indexed8, compact.colorTable()));
    }
}

TEST(FramePicture, ShowsTheWholeFrameAroundAnOverlappingControl) {
    QWidget window;
    window.resize(200, 260);
    auto* picture = new FramePicture(&window);
    picture->setGeometry(10, 10, 150, 230);  // taller than one painting strip
    const QImage frame = gradient(150, 230);
    auto* cover = new QLabel(QStringLiteral("über dem Bild"), &window);
    cover->setGeometry(40, 100, 60, 70);
    cover->setAutoFillBackground(true);  // opaque: the picture is painted around it
    picture->setPicture(compactFrame(frame, pictureColours(frame)));
    window.show();

    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            wrong += !cover->geometry().contains(x + 10, y + 10) &&
                     shown.pixel(x + 10, y + 10) != picture->picture().pixel(x, y);
    EXPECT_EQ(wrong, 0);
    // Clicks on the sky go to what lies under it.
    EXPECT_EQ(window.childAt(20, 20), nullptr);
}

// The label over the star sky looks like any label, and shows a new text.
TEST(OverlayLabel, LooksLikeALabelAndFollowsItsText) {
    QWidget window;
    window.resize(120, 40);
    window.setAutoFillBackground(true);
    QPalette sky = window.palette();
    sky.setColor(QPalette::Window, QColor(0, 0, 40));
    sky.setColor(QPalette::WindowText, QColor(128, 128, 128));  // as the dots on the sky
    window.setPalette(sky);
    QFont large = window.font();  // not the painter's default, which a picture would otherwise get
    large.setPixelSize(22);
    window.setFont(large);
    auto* plain = new QLabel(&window);
    auto* overlay = new OverlayLabel(QString(), &window);
    plain->setGeometry(0, 0, 60, 40);
    overlay->setGeometry(60, 0, 60, 40);
    window.show();
    QImage before;
    for (const QString text : {"Mond'", "Sterne"}) {
        plain->setText(text), overlay->setText(text);
        const QImage shown = window.grab().toImage();
        const int r = int(shown.devicePixelRatio());
        const QImage right = shown.copy(60 * r, 0, 60 * r, 40 * r);
        // Anti-aliased edges may differ a shade.
        EXPECT_LE(largestDifference(shown.copy(0, 0, 60 * r, 40 * r), right), 8);
        EXPECT_TRUE(before.isNull() || largestDifference(before, right) > 64);  // not the old text kept
        before = right;
    }
}

}  // namespace lunomat::test
