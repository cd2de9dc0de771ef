// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayCheck.h"

#include <cstdlib>

#ifdef QUARTET_DISPLAY_SERVERS
#include <algorithm>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>
#endif

namespace quartet {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

#ifdef QUARTET_DISPLAY_SERVERS

bool canOpenX(const std::string& display)
{
    int screen = 0;
    // Never null: a failed connection is an object that reports its error,
    // and it is disconnected like any other.
    xcb_connection_t* connection = xcb_connect(display.c_str(), &screen);
    const bool open = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return open;
}

bool canOpenWayland(const std::string& display)
{
    // The compositor's socket: the name itself when it is a path, else a
    // name in the user's runtime folder.
    std::string path = display;
    if (display.front() != '/') {
        const std::string runtimeFolder = environment("XDG_RUNTIME_DIR");
        if (runtimeFolder.empty())
            return false;
        path = runtimeFolder + "/" + display;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::copy(path.begin(), path.end(), address.sun_path);

    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    const bool open = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return open;
}

std::string displayProblem()
{
    const std::string x = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    if ((!x.empty() && canOpenX(x)) || (!wayland.empty() && canOpenWayland(wayland)))
        return {};
    if (x.empty() && wayland.empty())
        return "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    if (wayland.empty())
        return "cannot open the display " + x + " to show the window on";
    if (x.empty())
        return "cannot open the Wayland display " + wayland + " to show the window on";
    return "cannot open the display " + x + " nor the Wayland display " + wayland + " to show the window on";
}

#else

// Elsewhere the desktop is always there.
std::string displayProblem()
{
    return {};
}

#endif

}  // namespace

std::string whyNoDisplay(std::string_view program)
{
    if (!environment("QT_QPA_PLATFORM").empty())
        return {};
    const std::string problem = displayProblem();
    if (problem.empty())
        return {};
    return "quartet: " + problem + "; to run it on a virtual display: xvfb-run -a " + std::string(program);
}

}  // namespace quartet
