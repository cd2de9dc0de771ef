// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayCheck.h"

#include "app/CommandLineTexts.h"

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

namespace texts = commandLineTexts;

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

QString displayProblem()
{
    const std::string x = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    if ((!x.empty() && canOpenX(x)) || (!wayland.empty() && canOpenWayland(wayland)))
        return {};
    if (x.empty() && wayland.empty())
        return texts::kNoDisplaySet;
    if (wayland.empty())
        return texts::cannotOpenX(QString::fromLocal8Bit(x));
    if (x.empty())
        return texts::cannotOpenWayland(QString::fromLocal8Bit(wayland));
    return texts::cannotOpenEither(QString::fromLocal8Bit(x), QString::fromLocal8Bit(wayland));
}

#else

// Elsewhere the desktop is always there.
QString displayProblem()
{
    return {};
}

#endif

}  // namespace

std::string whyNoDisplay(std::string_view program)
{
    if (!environment("QT_QPA_PLATFORM").empty())
        return {};
    const QString problem = displayProblem();
    if (problem.isEmpty())
        return {};
    const QString programText = QString::fromLocal8Bit(program.data(), static_cast<qsizetype>(program.size()));
    return texts::noDisplayLine(problem, programText).toStdString();
}

}  // namespace quartet
