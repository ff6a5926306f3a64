// Pieces every window builds the same way: the logo and the guard that
// switches controls off for the length of a command.
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "testsupport/fake_platform.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat::test {
namespace {

TEST(Logo, ShowsThePictureAndTheCopyrightWithoutLeadingBlanks) {
    QWidget window;
    FakePlatform platform;
    platform.folder = assetFolder();
    const QLabel* logo = makeLogo(&window, QRect(0, 0, 40, 35), platform);
    EXPECT_FALSE(logo->pixmap().isNull());
    // Kept at the size it is shown, not at the size it was drawn.
    EXPECT_EQ(logo->pixmap().deviceIndependentSize(), QSizeF(40, 35));
    EXPECT_EQ(logo->toolTip(), QStringLiteral("© 2007-2026 Luno-Mat"));

    platform.folder = QStringLiteral("/nonexistent");
    EXPECT_TRUE(makeLogo(&window, QRect(0, 0, 40, 35), platform)->pixmap().isNull());
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
