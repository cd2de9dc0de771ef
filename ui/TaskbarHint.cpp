// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TaskbarHint.h"

#include "ui/X11Connection.h"

#include <QWidget>

#include <array>

namespace quartet {

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
    const std::array states{x11Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                        x11Atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, states.size(), states.data());
}

}  // namespace quartet
