// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>

#include <functional>
#include <optional>

class QWidget;

namespace quartet {

// The frame that the window manager puts around a top-level window, in
// device pixels, learnt before the window is shown so that the whole frame
// can be placed. The window manager is asked for it (on X11,
// _NET_REQUEST_FRAME_EXTENTS) and the answer awaited for a moment. Empty
// where nothing frames the window: no window manager, or a platform other
// than X11, where the compositor places windows. None where a window
// manager frames it but does not tell the frame before the window is shown
// (KWin, weston) or does not answer in time. Creates the native window.
std::optional<QMargins> frameExtents(QWidget& window);

// Calls told with the window's frame, in device pixels, where the window
// manager tells a frame other than the one known (none where it told none)
// as it takes the window on: KWin, which does not answer beforehand, and
// GNOME's mutter, which answers with no frame at all and frames the window
// later, usually before the window is first drawn.
void whenFrameTold(QWidget& window, const std::optional<QMargins>& known, std::function<void(const QMargins&)> told);

}  // namespace quartet
