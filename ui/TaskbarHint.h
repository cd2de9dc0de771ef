// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quartet {

// A window without an owner and without a task-bar entry. Qt offers that as
// a tool window, but on X11 a tool window is made transient for the whole
// program, and window managers keep it above every other window of the
// program. There an ordinary window asks the window manager instead to
// leave it off the task bar (_NET_WM_STATE_SKIP_TASKBAR).

// Whether skipTaskbar() works on this desktop (X11); elsewhere a tool
// window is what keeps a window off the task bar.
bool canSkipTaskbar();

// Asks for no task-bar entry. The window manager forgets the request when
// the window is closed, so it is made before every showing.
void skipTaskbar(QWidget& window);

}  // namespace quartet
