// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quartet {

// A window without an owner and without a task-bar entry, as far as the
// desktop allows. Qt offers that as a tool window, but on X11 a tool window
// is made transient for the whole program, and window managers keep it
// above every other window of the program. There an ordinary window asks
// the window manager instead to leave it off the task bar
// (_NET_WM_STATE_SKIP_TASKBAR).
//
// Wayland has no such request for ordinary programs: KWin's and GNOME's
// task bars, docks and window lists show every window that belongs to no
// other. KDE Plasma's task bar (and the window lists of the wlroots
// desktops) leave out a window that belongs to another; GNOME lists it all
// the same. So there the window belongs to its owner while the owner is
// shown, and to no one once the owner hides: the compositor keeps it open
// on its own then, and Qt no longer counts it as a secondary window, whose
// program ends with its last primary window.

// Whether skipTaskbar() works on this desktop (X11); elsewhere a tool
// window is what keeps a window off the task bar.
bool canSkipTaskbar();

// Asks for no task-bar entry for window, which is shown beside owner (or
// nothing). The window manager forgets the request when the window is
// closed, so it is made before every showing.
void skipTaskbar(QWidget& window, const QWidget* owner);

}  // namespace quartet
