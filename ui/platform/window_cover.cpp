#include "ui/platform/window_cover.h"

#include <xcb/xcb.h>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>

namespace lunomat {

CoverWatch::CoverWatch(QWindow* window, std::function<void()> changed)
    : QObject(window), windowId_(window->winId()), changed_(std::move(changed)) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // Other platforms may offer an X11 interface without an X connection.
    xcb_connection_t* connection =
        x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection() : nullptr;
    if (connection) {
        const auto id = xcb_window_t(windowId_);
        // Added to the events Qt has asked for: setting the mask replaces it.
        auto* attributes =
            xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id), nullptr);
        if (attributes) {
            const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
            std::free(attributes);
            xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &mask);
            xcb_flush(connection);
        }
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

CoverWatch::~CoverWatch() { QCoreApplication::instance()->removeNativeEventFilter(this); }

bool CoverWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_VISIBILITY_NOTIFY) return false;
    const auto* visibility = static_cast<const xcb_visibility_notify_event_t*>(message);
    if (visibility->window != xcb_window_t(windowId_)) return false;
    const bool covered = visibility->state == XCB_VISIBILITY_FULLY_OBSCURED;
    if (covered != covered_) {
        covered_ = covered;
        changed_();
    }
    return false;  // Qt may want it as well
}

}  // namespace lunomat
