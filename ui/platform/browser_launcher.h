#pragma once
// How the platform shows the moon-zodiac browser window. The window lives
// in a layer above the platform, so the program hands the platform a
// launcher when it creates it.

class QWidget;

namespace lunomat {

class Platform;

class BrowserLauncher {
public:
    virtual ~BrowserLauncher() = default;
    // Shows the browser window and returns when it has been closed, or at
    // once when the owner's window goes. The owner is off meanwhile. What
    // went wrong is told to the user through `platform`'s message box.
    virtual void run(QWidget* owner, Platform& platform) = 0;
};

}  // namespace lunomat
