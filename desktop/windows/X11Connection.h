// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <memory>

namespace quartet {

// Qt's connection to the X server, with the atoms of the window managers'
// conventions (EWMH) interned on it by libxcb-ewmh, which also speaks those
// conventions.
class X11Connection {
public:
    // Whether the program runs on X11 (not Wayland, Windows, offscreen).
    static bool isQtOnX11();

    // Qt's connection, or null where the program runs on another platform or
    // the X server gives no atoms.
    static std::unique_ptr<X11Connection> ofQt();

    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    xcb_ewmh_connection_t* ewmh() { return &m_ewmh; }
    xcb_connection_t* connection() const { return m_ewmh.connection; }

    // The number of the screen whose root window holds window; -1 when none does.
    int screenOf(xcb_window_t window) const;

private:
    X11Connection() = default;

    xcb_ewmh_connection_t m_ewmh = {};
};

}  // namespace quartet
