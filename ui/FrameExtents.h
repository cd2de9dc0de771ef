// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>

class QWidget;

namespace quartet {

// The frame that the window manager puts around a top-level window, in
// device pixels, learnt before the window is shown so that the whole frame
// can be placed. The window manager is asked for it (on X11,
// _NET_REQUEST_FRAME_EXTENTS) and the answer awaited for a moment. Empty
// where nobody answers: no window manager, one that does not tell, or a
// platform other than X11. Creates the native window.
QMargins frameExtents(QWidget& window);

}  // namespace quartet
