// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: a tool window (WS_EX_TOOLWINDOW) has no task-bar button, and one
// without an owner stays open on its own, so no hint is needed.
#include "desktop/windows/TaskbarHint.h"

namespace quartet {

bool canSkipTaskbar()
{
    return false;
}

void skipTaskbar(QWidget& /*window*/, const QWidget* /*owner*/) {}

}  // namespace quartet
