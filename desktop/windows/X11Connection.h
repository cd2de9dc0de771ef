// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>

namespace quartet {

// Qt's connection to the X server, or null where the program runs on
// another platform (Wayland, Windows, offscreen).
xcb_connection_t* x11Connection();

// The atom of a name, interned on the X server; XCB_ATOM_NONE on failure.
xcb_atom_t x11Atom(xcb_connection_t* connection, const char* name);

}  // namespace quartet
