#include "platform/Display.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QLibraryInfo>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace quadrello::platform {

namespace {

constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";
constexpr char kXcb[] = "xcb";
constexpr char kWayland[] = "wayland";

std::string Environment(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

// Whether something accepts connections on the local socket `path`; a leading NUL names a
// socket in Linux's abstract namespace.
bool SocketAnswers(const std::string& path) {
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + path.size());
    const bool answers = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    close(fd);
    return answers;
}

// A local X display (":N", "unix:N") must answer on its socket; a display on another host
// (ssh forwarding, for one) is taken on trust.
bool XDisplayAnswers(const std::string& display) {
    const size_t colon = display.find(':');
    const std::string host = display.substr(0, colon);
    if (colon == std::string::npos || !(host.empty() || host == "unix")) {
        return !display.empty();
    }
    const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const std::string socket = "/tmp/.X11-unix/X" + number;
    return SocketAnswers(socket) || SocketAnswers(std::string(1, '\0') + socket);
}

bool WaylandDisplayAnswers(const std::string& display) {
    if (!Environment("WAYLAND_SOCKET").empty()) {
        return true;  // a connection handed over by the compositor
    }
    if (display.empty()) {
        return false;
    }
    if (display.front() == '/') {
        return SocketAnswers(display);
    }
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    return !runtime.empty() && SocketAnswers(runtime + "/" + display);
}

// Qt's platform plugins are libq<name>.so, or libq<name>-<variant>.so for those with several
// (the Wayland ones), in the platforms folder of Qt's plugin folder or of QT_PLUGIN_PATH.
bool PluginInstalled(const std::string& name) {
    QStringList folders =
        qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    folders.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
    const QString stem = QStringLiteral("libq") + QString::fromStdString(name);
    const QString suffix = QStringLiteral(".so");
    // Matched by hand: name filters would load and compile the regular-expression engine on the
    // way to the first window.
    const auto plugin = [&stem, &suffix](const QString& file) {
        if (!file.startsWith(stem) || !file.endsWith(suffix)) {
            return false;
        }
        const qsizetype variant = file.size() - stem.size() - suffix.size();
        return variant == 0 || (variant > 1 && file[stem.size()] == u'-');
    };
    for (const QString& folder : folders) {
        const QStringList files =
            QDir(folder + QStringLiteral("/platforms")).entryList(QDir::Files);
        if (std::any_of(files.begin(), files.end(), plugin)) {
            return true;
        }
    }
    return false;
}

// Why the platform `name` cannot start here; empty when it can.
std::string Unusable(const std::string& name) {
    const bool wayland = name.rfind(kWayland, 0) == 0;
    if (!PluginInstalled(name)) {
        return "Qt's platform plugin \"" + name + "\" is not installed" +
               (wayland ? " (Debian package qt6-wayland)" : "");
    }
    if (name == kXcb) {
        const std::string display = Environment("DISPLAY");
        if (display.empty()) {
            return "DISPLAY is not set";
        }
        return XDisplayAnswers(display) ? "" : "the X display " + display + " does not answer";
    }
    if (wayland) {
        const std::string display = Environment("WAYLAND_DISPLAY");
        if (display.empty()) {
            return "WAYLAND_DISPLAY is not set";
        }
        return WaylandDisplayAnswers(display)
                   ? ""
                   : "the Wayland display " + display + " does not answer";
    }
    return {};  // offscreen, vnc and the like need no display
}

// Whether the window manager of the X display serves what the windows ask of it: keeping a
// window above the others (_NET_WM_STATE_ABOVE among its _NET_SUPPORTED) and a compositing
// manager (the owner of _NET_WM_CM_S<screen>) that blends a window by its opacity for the
// fade. Some XWayland window managers (weston's) offer neither.
bool XWindowManagerServes() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> closer(connection,
                                                                                xcb_disconnect);
    if (xcb_connection_has_error(connection) != 0) {
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    if (screens.rem == 0) {
        return false;
    }
    const xcb_window_t root = screens.data->root;
    const std::string names[] = {"_NET_SUPPORTED", "_NET_WM_STATE_ABOVE",
                                 "_NET_WM_CM_S" + std::to_string(screenNumber)};
    xcb_intern_atom_cookie_t cookies[3];
    for (int i = 0; i < 3; ++i) {
        cookies[i] = xcb_intern_atom(connection, 0, uint16_t(names[i].size()), names[i].data());
    }
    xcb_atom_t atoms[3] = {};
    for (int i = 0; i < 3; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
        atoms[i] = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
    }
    constexpr uint32_t kMostAtoms = 4096;
    xcb_get_property_reply_t* supported = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, atoms[0], XCB_ATOM_ATOM, 0, kMostAtoms),
        nullptr);
    bool above = false;
    if (supported != nullptr && supported->format == 32) {
        const auto* list = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported));
        const int count = xcb_get_property_value_length(supported) / int(sizeof(xcb_atom_t));
        above = std::find(list, list + count, atoms[1]) != list + count;
    }
    std::free(supported);
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atoms[2]), nullptr);
    const bool compositing = owner != nullptr && owner->owner != XCB_NONE;
    std::free(owner);
    return above && compositing;
}

// The user's own list, "name[:options]" separated by ";": usable when any one is.
DisplayChoice CheckUsersChoice(const std::string& list) {
    std::string firstProblem;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(';', start), list.size());
        const std::string entry = list.substr(start, end - start);
        const std::string name = entry.substr(0, entry.find(':'));
        if (!name.empty()) {
            const std::string problem = Unusable(name);
            if (problem.empty()) {
                return {};
            }
            if (firstProblem.empty()) {
                firstProblem = problem;
            }
        }
        start = end + 1;
    }
    return {"no window can open with " + std::string(kPlatformVariable) + "=" + list + ": " +
                firstProblem,
            {}};
}

}  // namespace

DisplayChoice ChooseDisplay() {
    const std::string users = Environment(kPlatformVariable);
    if (!users.empty()) {
        return CheckUsersChoice(users);
    }
    DisplayChoice choice;
    const bool waylandSession = !Environment("WAYLAND_DISPLAY").empty();
    const bool xSession = !Environment("DISPLAY").empty();
    if (!waylandSession && !xSession) {
        choice.problem =
            "no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY "
            "is set)";
        return choice;
    }
    // X first: through XWayland too, the windows keep everything that Wayland forbids, as long
    // as XWayland's window manager provides it. Where it does not, the Wayland plugin does as
    // well (the fade works natively), so a Wayland session that offers it goes first then.
    const bool xFirst = !waylandSession || !xSession || !Unusable(kWayland).empty() ||
                        !Unusable(kXcb).empty() || XWindowManagerServes();
    const struct {
        bool offered;
        const char* name;
    } candidates[] = {
        {xSession && xFirst, kXcb}, {waylandSession, kWayland}, {xSession && !xFirst, kXcb}};
    std::string problems;
    for (const auto& candidate : candidates) {
        if (!candidate.offered) {
            continue;
        }
        const std::string problem = Unusable(candidate.name);
        if (problem.empty()) {
            choice.chosen = candidate.name;
            qputenv(kPlatformVariable, candidate.name);
            return choice;
        }
        problems += (problems.empty() ? "" : "; ") + problem;
    }
    choice.problem = "no window can open: " + problems;
    return choice;
}

void ForgetDisplayChoice(const DisplayChoice& choice) {
    if (!choice.chosen.empty()) {
        qunsetenv(kPlatformVariable);
    }
}

}  // namespace quadrello::platform
