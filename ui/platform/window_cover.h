#pragma once
// Whether a top-level window is fully covered by other windows. Qt reports
// a covered window as exposed on X11, so the X server is asked for the
// window's visibility changes here. Elsewhere, and under a compositing
// window manager (which never reports a window as covered), a window is
// never covered.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <functional>

class QWindow;

namespace lunomat {

class CoverWatch : public QObject, public QAbstractNativeEventFilter {
public:
    // Watches `window` (which must have its native window) and calls
    // `changed` whenever it becomes covered or visible again.
    CoverWatch(QWindow* window, std::function<void()> changed);
    ~CoverWatch() override;
    bool covered() const { return covered_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    unsigned long windowId_;
    std::function<void()> changed_;
    bool covered_ = false;
};

}  // namespace lunomat
