// Start-up time as the X server sees it: starts a program and waits for the
// MapNotify of a top-level window whose name contains the given text.
//
//   map_wait NAME PROGRAM [ARGS...]
//
// Prints "<milliseconds> <pid>" and leaves the program running. Exits 2 when
// the program ended before such a window was mapped, 3 after 20 s without
// one. Top-level windows are children of the root window only without a
// window manager, so run it on a bare X server.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
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
    if (!d) {
        std::fprintf(stderr, "map_wait: no X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);  // the selection holds before the program starts

    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const int fd = ConnectionNumber(d);
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type != MapNotify) continue;
            const Window w = e.xmap.window;
            // Qt names its window before mapping it.
            if (property(d, w, netName).find(argv[1]) == std::string::npos &&
                property(d, w, XA_WM_NAME).find(argv[1]) == std::string::npos)
                continue;
            const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - t0;
            std::printf("%.1f %d\n", ms.count(), int(pid));
            return 0;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) return 2;
        if (std::chrono::steady_clock::now() - t0 > std::chrono::seconds(20)) return 3;
        fd_set in;
        FD_ZERO(&in);
        FD_SET(fd, &in);
        timeval wait{0, 50000};
        select(fd + 1, &in, nullptr, nullptr, &wait);
    }
}
