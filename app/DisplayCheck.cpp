// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayCheck.h"

#include "app/CommandLineTexts.h"

#ifdef QUARTET_DISPLAY_SERVERS
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include <wayland-client.h>
#include <xcb/xcb.h>
#endif

namespace quartet {

namespace {

namespace texts = commandLineTexts;

QString local(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

#ifdef QUARTET_DISPLAY_SERVERS

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

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

void ignoreLine(const char*, va_list) {}

void printLine(const char* format, va_list arguments)
{
    std::vfprintf(stderr, format, arguments);
}

// The display's name is a socket in the user's runtime folder, or a path.
bool canOpenWayland(const std::string& display)
{
    // A display that does not open is told in the program's own line, without
    // libwayland-client's.
    wl_log_set_handler_client(&ignoreLine);
    wl_display* connection = wl_display_connect(display.c_str());
    wl_log_set_handler_client(&printLine);
    if (connection == nullptr)
        return false;
    wl_display_disconnect(connection);
    return true;
}

QString displayProblem(const std::string& x, const std::string& wayland)
{
    if (x.empty() && wayland.empty())
        return texts::kNoDisplaySet;
    if (wayland.empty())
        return texts::cannotOpenX(local(x));
    if (x.empty())
        return texts::cannotOpenWayland(local(wayland));
    return texts::cannotOpenEither(local(x), local(wayland));
}

WindowStart planForDisplays(const QString& program)
{
    const std::string x = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    const bool xOpens = !x.empty() && canOpenX(x);
    const bool waylandOpens = !wayland.empty() && canOpenWayland(wayland);
    WindowStart start;
    if (!xOpens && !waylandOpens) {
        start.problem = texts::noDisplayLine(displayProblem(x, wayland), program).toStdString();
        return start;
    }
    // Qt can still fail here: a Wayland display alone, say, without Qt's Wayland plugin.
    const QString failure = xOpens ? texts::kQtPlatformFailed : texts::qtCannotUseWayland(local(wayland));
    start.failureLine = texts::noDisplayLine(failure, program).toStdString();
    return start;
}

#else

// Elsewhere the desktop is always there.
WindowStart planForDisplays(const QString& program)
{
    WindowStart start;
    start.failureLine = texts::noDisplayLine(texts::kQtPlatformFailed, program).toStdString();
    return start;
}

#endif

}  // namespace

WindowStart planWindowStart(std::string_view program, const std::optional<NamedPlatform>& named)
{
    if (named) {
        WindowStart start;
        start.failureLine = texts::namedPlatformFailed(local(named->name), local(named->namedBy)).toStdString();
        return start;
    }
    return planForDisplays(local(std::string(program)));
}

}  // namespace quartet
