// Start-up time as the X server sees it: starts a program and waits for the
// MapNotify of a top-level window whose name contains the given text, and
// then until the program has drawn every pixel of that window at least once
// (the X DAMAGE extension reports each drawing): the moment a user sees the
// whole window.
//
//   map_wait NAME PROGRAM [ARGS...]
//
// Prints "<milliseconds to the map> <milliseconds to the drawn window> <pid>"
// and leaves the program running. Exits 2 when the program ended before such
// a window was mapped and drawn, 3 after 20 s without. Top-level windows are
// children of the root window only without a window manager, so run it on a
// bare X server.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string property(Display* d, Window w, Atom name) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(d, w, name, 0, 1024, False, AnyPropertyType, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        if (format == 8) text.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return text;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }  // a window may be gone before we look at it

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s NAME PROGRAM [ARGS...]\n", argv[0]);
        return 1;
    }
    Display* d = XOpenDisplay(nullptr);
    int damageEvent = 0, damageError = 0;
    if (!d || !XDamageQueryExtension(d, &damageEvent, &damageError)) {
        std::fprintf(stderr, "map_wait: no X display with the DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    // Every drawing on the screen, windows inside the root included, as the
    // rectangles drawn in root coordinates.
    XDamageCreate(d, root, XDamageReportRawRectangles);
    XSync(d, False);  // both hold before the program starts

    const auto t0 = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    };
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const int fd = ConnectionNumber(d);
    Window window = 0;
    double mapped = 0;
    Region drawn = XCreateRegion();
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && !window) {
                const Window w = e.xmap.window;
                // Qt names its window before mapping it.
                if (property(d, w, netName).find(argv[1]) == std::string::npos &&
                    property(d, w, XA_WM_NAME).find(argv[1]) == std::string::npos)
                    continue;
                window = w;
                mapped = elapsed();
            } else if (e.type == damageEvent + XDamageNotify && window) {  // drawings after the map
                XRectangle r = reinterpret_cast<XDamageNotifyEvent*>(&e)->area;
                XUnionRectWithRegion(&r, drawn, drawn);
                XWindowAttributes a;  // where the window is now: a program may move it after the map
                if (!XGetWindowAttributes(d, window, &a)) continue;
                if (XRectInRegion(drawn, a.x, a.y, unsigned(a.width), unsigned(a.height)) == RectangleIn) {
                    std::printf("%.1f %.1f %d\n", mapped, elapsed(), int(pid));
                    return 0;
                }
            }
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) return 2;
        if (elapsed() > 20000) return 3;
        fd_set in;
        FD_ZERO(&in);
        FD_SET(fd, &in);
        timeval wait{0, 50000};
        select(fd + 1, &in, nullptr, nullptr, &wait);
    }
}
