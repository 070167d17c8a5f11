/* first-paint: starts a program and reports, in milliseconds from its launch, when its first
 * top-level window was mapped and when the program first painted into it; then ends it.
 *
 * Usage: first-paint [--linger MS] -- PROGRAM [ARGS...]
 * Prints "MAP_MS PAINT_MS" on standard output. The program is ended with SIGTERM LINGER
 * milliseconds after the first paint (default 300), so that a wrapper such as /usr/bin/time
 * can report its peak memory. Meant for a bare X server without a window manager, where
 * top-level windows are children of the root window. Needs the DAMAGE extension. */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { kTimeoutMs = 20000, kMaxWindows = 64 };

static double NowMs(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

/* The process that owns a window, from _NET_WM_PID; 0 when it is not set. */
static pid_t WindowPid(Display* dpy, Window w) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    pid_t pid = 0;
    Atom atom = XInternAtom(dpy, "_NET_WM_PID", False);
    if (XGetWindowProperty(dpy, w, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data != NULL && count == 1 && format == 32) {
        pid = (pid_t)(*(unsigned long*)data);
    }
    if (data != NULL) {
        XFree(data);
    }
    return pid;
}

/* Windows can vanish between their creation and our request on them: not an error here. */
static int IgnoreXError(Display* dpy, XErrorEvent* error) {
    (void)dpy;
    (void)error;
    return 0;
}

int main(int argc, char** argv) {
    int linger = 300;
    int first = 1;
    if (first + 1 < argc && strcmp(argv[first], "--linger") == 0) {
        linger = atoi(argv[first + 1]);
        first += 2;
    }
    if (first >= argc || strcmp(argv[first], "--") != 0 || first + 1 >= argc) {
        fprintf(stderr, "usage: first-paint [--linger MS] -- PROGRAM [ARGS...]\n");
        return 2;
    }
    char** command = argv + first + 1;

    Display* dpy = XOpenDisplay(NULL);
    if (dpy == NULL) {
        fprintf(stderr, "first-paint: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreXError);
    int damageEvent, damageError;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        fprintf(stderr, "first-paint: the X server has no DAMAGE extension\n");
        return 2;
    }
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const double start = NowMs();
    pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        _exit(127);
    }

    /* Every top-level window gets a damage object as soon as it exists, so that a paint right
     * after the map cannot be missed. Windows created with no background are not painted by
     * the server, so their first damage is the program's own drawing. */
    Window created[kMaxWindows];
    int createdCount = 0;
    Window mapped = None;
    double mapMs = -1, paintMs = -1;
    const int fd = ConnectionNumber(dpy);
    while (paintMs < 0) {
        if (XPending(dpy) == 0) {
            const double left = kTimeoutMs - (NowMs() - start);
            struct pollfd p = {fd, POLLIN, 0};
            if (left <= 0 || poll(&p, 1, (int)left) <= 0) {
                fprintf(stderr, "first-paint: no painted window within %d ms\n", kTimeoutMs);
                kill(child, SIGKILL);
                waitpid(child, NULL, 0);
                return 1;
            }
            if (waitpid(child, NULL, WNOHANG) == child) {
                fprintf(stderr, "first-paint: the program ended before it painted\n");
                return 1;
            }
        }
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type == CreateNotify && !event.xcreatewindow.override_redirect &&
            createdCount < kMaxWindows) {
            created[createdCount++] = event.xcreatewindow.window;
            XDamageCreate(dpy, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && mapped == None && !event.xmap.override_redirect) {
            for (int i = 0; i < createdCount; ++i) {
                if (created[i] == event.xmap.window) {
                    mapped = event.xmap.window;
                    mapMs = NowMs() - start;
                }
            }
        } else if (event.type == damageEvent + XDamageNotify && mapped != None &&
                   ((XDamageNotifyEvent*)&event)->drawable == mapped) {
            paintMs = NowMs() - start;
        }
    }
    printf("%.2f %.2f\n", mapMs, paintMs);
    fflush(stdout);

    usleep((useconds_t)linger * 1000);
    /* The direct child may be a wrapper (/usr/bin/time): end the window's own process so that
     * the wrapper can report on it. */
    pid_t owner = WindowPid(dpy, mapped);
    kill(owner > 0 ? owner : child, SIGTERM);
    int status;
    waitpid(child, &status, 0);
    XCloseDisplay(dpy);
    return 0;
}
