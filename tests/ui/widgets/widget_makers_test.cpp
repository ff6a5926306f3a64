// Pieces every window builds the same way: the logo, the buttons, and the
// guard that switches controls off for the length of a command.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

#include "testsupport/fake_platform.h"
#include "ui/widgets/shapes.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat::test {
namespace {

TEST(Logo, ShowsThePictureAndTheCopyrightWithoutLeadingBlanks) {
    QWidget window;
    FakePlatform platform;
    platform.folder = assetFolder();
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
    const struct {
        const char* state;
        std::function<void(QPushButton*)> set;
        bool blackText, greyText, darkTopEdge, focusDots;
    } cases[] = {
        {"on", [](QPushButton*) {}, true, false, false, false},
        {"off", [](QPushButton* b) { b->setEnabled(false); }, false, true, false, false},
        {"pressed", [](QPushButton* b) { b->setDown(true); }, true, false, true, false},
        {"focused", [](QPushButton* b) { b->setFocus(); }, true, false, false, true},
    };
    QWidget window;
    auto* elsewhere = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        elsewhere->setFocus();
        std::unique_ptr<QPushButton> button(makeButton(&window, QRect(0, 30, 80, 25), "&Drucken", "", face));
        button->show();
        c.set(button.get());
        const QImage image = button->grab().toImage();
        const int ratio = int(image.devicePixelRatio());
        const auto at = [&](int x, int y) { return image.pixelColor(x * ratio, y * ratio); };  // logical points
        QSet<QRgb> inside;  // the caption area, inside the edges and the focus frame
        for (int y = 6 * ratio; y < image.height() - 6 * ratio; ++y)
            for (int x = 6 * ratio; x < image.width() - 6 * ratio; ++x) inside.insert(image.pixel(x, y) & 0xffffff);
        EXPECT_TRUE(at(10, 12) == face && at(70, 12) == face);  // beside the caption: no gradient
        EXPECT_TRUE(at(20, 0) == Qt::black && at(0, 12) == Qt::black);  // the outer line
        EXPECT_EQ(inside.contains(0x000000), c.blackText);
        EXPECT_EQ(inside.contains(0x808080), c.greyText);
        EXPECT_EQ(at(20, 1) == QColor(128, 128, 128), c.darkTopEdge);
        EXPECT_EQ(at(6, 4) == Qt::black || at(5, 4) == Qt::black, c.focusDots);
    }
}

// A circle is its colour inside an edge of one pixel a shade darker.
TEST(CircleShape, EdgeOfOnePixel) {
    QWidget window;
    auto* circle = new CircleShape(QColor(255, 255, 0), &window);
    circle->setGeometry(0, 0, 21, 21);
    const QImage image = window.grab(QRect(0, 0, 21, 21)).toImage();
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

}  // namespace
}  // namespace lunomat::test
