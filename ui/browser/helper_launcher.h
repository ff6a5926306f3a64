#pragma once
// The moon-zodiac window runs in the helper program, which alone links the
// browser engine; the main program starts it and waits. Its name comes from
// the build, which names the program once.

#include <QString>
#include <chrono>

#include "ui/platform/browser_launcher.h"

namespace lunomat {

// The line the helper writes to its standard output once its window is on
// screen.
inline constexpr char kBrowserShownReport[] = "lunomat-browser: window shown";
// The line it writes after that every few seconds while it answers, so that
// one that hangs with its window open is noticed too.
inline constexpr char kBrowserAliveReport[] = "lunomat-browser: alive";
inline constexpr std::chrono::seconds kBrowserAliveInterval{5};
// How long the helper may take to show its window, and then may stay silent
// between two of its alive reports, before it is taken for hung: the browser
// engine starts slowly on an old machine.
inline constexpr std::chrono::milliseconds kBrowserStartLimit = std::chrono::seconds(30);

class HelperBrowserLauncher : public BrowserLauncher {
public:
    // The helper program is looked for in `folder`: the running program's own.
    explicit HelperBrowserLauncher(QString folder, std::chrono::milliseconds startLimit = kBrowserStartLimit);
    void run(QWidget* owner, Platform& platform) override;

private:
    QString program_;
    std::chrono::milliseconds startLimit_;
};

}  // namespace lunomat
