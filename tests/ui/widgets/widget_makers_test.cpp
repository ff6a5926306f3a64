// Pieces every window builds the same way: the logo, the buttons, and the
// guard that switches controls off for the length of a command.
#include "testsupport/ui_test.h"
#include "ui/widgets/shapes.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat::test {

TEST(Logo, ShowsThePictureAndTheCopyrightWithoutLeadingBlanks) {
    QWidget window;
    FakePlatform platform;
    const QLabel* logo = makeLogo(&window, QRect(0, 0, 40, 35), platform);
    // Kept at the size it is shown, not at the size it was drawn.
    EXPECT_EQ(logo->pixmap().deviceIndependentSize(), QSizeF(40, 35));
    EXPECT_EQ(logo->toolTip(), QStringLiteral("© 2007-2026 Luno-Mat"));

    platform.folder = QStringLiteral("/nonexistent");
    EXPECT_TRUE(makeLogo(&window, QRect(0, 0, 40, 35), platform)->pixmap().isNull());
}

// Buttons are flat in their designed colour; switched off they show a grey
// caption, pressed a sunken edge, focused a dotted frame.
TEST(Button, FaceIsFlatAndEachStateLooksItsOwnWay) {
    const QColor face(255, 224, 192);
    const std::pair<std::string_view, QString> cases[] = {{"on", "black raised"},
                                                          {"off", "grey raised"},
                                                          {"pressed", "black sunken"},
                                                          {"focused", "black raised dotted"}};
    QWidget window;
    auto* elsewhere = new QLineEdit(&window);
    QImage up;
    ASSERT_TRUE(showActive(window));
    for (const auto& [state, look] : cases) {
        SCOPED_TRACE(state.data());
        elsewhere->setFocus();
        std::unique_ptr<QPushButton> button(makeButton(&window, QRect(0, 30, 80, 25), "&Drucken", "", face));
        button->show();
        if (state == "off") button->setEnabled(false);
        else if (state == "pressed") button->setDown(true);
        else if (state == "focused") button->setFocus();
        const QImage image = button->grab().toImage();
        const int ratio = int(image.devicePixelRatio());
        const auto at = [&](int x, int y) { return image.pixelColor(x * ratio, y * ratio); };  // logical points
        QSet<QRgb> inside;  // the caption area, inside the edges and the focus frame
        for (int y = 6 * ratio; y < image.height() - 6 * ratio; ++y)
            for (int x = 6 * ratio; x < image.width() - 6 * ratio; ++x) inside.insert(image.pixel(x, y) & 0xffffff);
        EXPECT_TRUE(at(10, 12) == face && at(70, 12) == face);          // beside the caption: no gradient
        EXPECT_TRUE(at(20, 0) == Qt::black && at(0, 12) == Qt::black);  // the outer line
        QStringList seen;  // the caption's colours, a dark top or bottom edge, a dotted focus frame
        if (inside.contains(0x000000)) seen << "black";
        if (inside.contains(0x808080)) seen << "grey";
        if (at(20, 1) == QColor(128, 128, 128)) seen << "sunken";
        if (at(20, 22) == QColor(128, 128, 128) && at(77, 12) == QColor(128, 128, 128)) seen << "raised";
        if (at(6, 4) == Qt::black || at(5, 4) == Qt::black) seen << "dotted";
        EXPECT_EQ(seen.join(' '), look);
        // Pressed, the caption moves right and down by one.
        if (state == "on") up = image.copy(6 * ratio, 5 * ratio, 66 * ratio, 14 * ratio);
        EXPECT_TRUE(state != "pressed" || image.copy(7 * ratio, 6 * ratio, 66 * ratio, 14 * ratio) == up);
    }
}

// A circle is its colour inside an edge of one pixel a shade darker.
TEST(CircleShape, EdgeOfOnePixel) {
    CircleShape circle(QColor(255, 255, 0), nullptr);
    circle.resize(21, 21);
    const QImage image = circle.grab().toImage();
    EXPECT_NE(image.pixelColor(0, 10), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(1, 10), QColor(255, 255, 0));
}

TEST(DisabledWhileAlive, SurvivesAControlDestroyedDuringTheCommand) {
    QWidget window;
    auto* kept = new QPushButton(&window);
    auto* destroyed = new QPushButton(&window);
    {
        const DisabledWhileAlive off{kept, destroyed, nullptr};
        EXPECT_FALSE(kept->isEnabled() || destroyed->isEnabled());
        delete destroyed;
    }
    EXPECT_TRUE(kept->isEnabled());
}

}  // namespace lunomat::test
