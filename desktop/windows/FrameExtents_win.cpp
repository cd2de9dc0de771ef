// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: the system frames a window as it is created, so Qt knows the
// frame before the window is shown, and it never changes afterwards.
#include "desktop/windows/FrameExtents.h"

#include <QWidget>
#include <QWindow>

namespace quartet {

std::optional<QMargins> frameExtents(QWidget& window)
{
    window.winId();  // makes the native window, and with it the frame
    const QMargins frame = window.windowHandle()->frameMargins();
    const qreal ratio = window.devicePixelRatio();
    return QMargins(qRound(frame.left() * ratio), qRound(frame.top() * ratio), qRound(frame.right() * ratio),
                    qRound(frame.bottom() * ratio));
}

void whenFrameTold(QWidget& /*window*/, const std::optional<QMargins>& /*known*/,
                   std::function<void(const QMargins&)> /*told*/)
{
}

}  // namespace quartet
