// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TaskbarHint.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace quartet {

namespace {

xcb_connection_t* x11Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace

bool canSkipTaskbar()
{
    return x11Connection() != nullptr;
}

void skipTaskbar(QWidget& window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    // Before the window is mapped the client owns _NET_WM_STATE; Qt adds its
    // own states to what it finds there when it maps the window.
    const std::array states{atom(connection, "_NET_WM_STATE_SKIP_TASKBAR")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                        atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, states.size(), states.data());
}

}  // namespace quartet
