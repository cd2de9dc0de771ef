// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/windows/X11Connection.h"

#include <QGuiApplication>

#include <cstdlib>

namespace quartet {

namespace {

xcb_connection_t* qtConnection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

}  // namespace

bool X11Connection::isQtOnX11()
{
    return qtConnection() != nullptr;
}

std::unique_ptr<X11Connection> X11Connection::ofQt()
{
    xcb_connection_t* connection = qtConnection();
    if (!connection)
        return nullptr;
    std::unique_ptr<X11Connection> x11(new X11Connection);
    // The atoms are asked for at once and their answers taken together.
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(connection, x11->ewmh());
    if (!xcb_ewmh_init_atoms_replies(x11->ewmh(), cookies, nullptr)) {
        // Then libxcb-ewmh has freed what it made, leaving its pointers.
        x11->m_ewmh.screens = nullptr;
        x11->m_ewmh._NET_WM_CM_Sn = nullptr;
        return nullptr;
    }
    return x11;
}

X11Connection::~X11Connection()
{
    xcb_ewmh_connection_wipe(&m_ewmh);
}

int X11Connection::screenOf(xcb_window_t window) const
{
    const std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(connection(), xcb_query_tree(connection(), window), nullptr), &std::free);
    for (int screen = 0; tree && screen < m_ewmh.nb_screens; ++screen) {
        if (m_ewmh.screens[screen]->root == tree->root)
            return screen;
    }
    return -1;
}

}  // namespace quartet
