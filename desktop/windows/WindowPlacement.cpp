// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/windows/WindowPlacement.h"

#include "desktop/windows/FrameExtents.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace quartet {

namespace {

// Where the window goes for it to stand centred on the area, frame and all,
// and within the bounds. The frame is in the window's scaled pixels.
QRect centredIn(const QWidget& window, const QRect& area, const QRect& bounds, const QMarginsF& frame)
{
    QRectF outer = QRectF(QPointF(), QSizeF(window.size())).marginsAdded(frame);
    outer.moveCenter(QRectF(area).center());
    const auto within = [](qreal start, qreal length, int low, int room) {
        return std::max<qreal>(low, std::min<qreal>(start, low + room - length));
    };
    outer.moveTo(within(outer.left(), outer.width(), bounds.left(), bounds.width()),
                 within(outer.top(), outer.height(), bounds.top(), bounds.height()));
    const QPointF inner = outer.topLeft() + QPointF(frame.left(), frame.top());
    return {inner.toPoint(), window.size()};
}

// The window manager tells a frame in device pixels.
QMarginsF scaled(const QMargins& frame, const QWidget& window)
{
    return QMarginsF(frame) / window.devicePixelRatio();
}

const QScreen* screenOf(const QWidget& window)
{
    return window.screen() ? window.screen() : QGuiApplication::primaryScreen();
}

}  // namespace

void centerOnScreen(QWidget& window)
{
    const QScreen* screen = screenOf(window);
    if (!screen)
        return;
    window.adjustSize();
    const QRect area = screen->availableGeometry();
    // Some window managers (weston's) keep a window where it was created and
    // move it no more, so it is created centred as if it had no frame.
    window.setGeometry(centredIn(window, area, area, QMarginsF()));
    // The window manager adds its frame once the window is shown, so the
    // frame is learnt first and centred with the window inside it. Where the
    // window manager tells another frame as it takes the window on, the
    // window is placed again then, before it is first drawn.
    const std::optional<QMargins> frame = frameExtents(window);
    window.setGeometry(centredIn(window, area, area, scaled(frame.value_or(QMargins()), window)));
    whenFrameTold(window, frame, [&window, area](const QMargins& told) {
        window.setGeometry(centredIn(window, area, area, scaled(told, window)));
    });
}

void centerOnOwner(QWidget& dialog)
{
    const QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    const QScreen* screen = owner ? screenOf(*owner) : nullptr;
    if (!owner || !owner->isVisible() || !screen)
        return;
    const QRect outer = owner->frameGeometry();
    const QRect inner = owner->geometry();
    const QRect bounds = screen->availableGeometry();
    // Where the window manager does not tell the dialog's frame before it is
    // shown, it frames the dialog as it frames the owner.
    const std::optional<QMargins> frame = frameExtents(dialog);
    const QMarginsF likely = frame ? scaled(*frame, dialog)
                                   : QMarginsF(inner.left() - outer.left(), inner.top() - outer.top(),
                                               outer.right() - inner.right(), outer.bottom() - inner.bottom());
    dialog.setGeometry(centredIn(dialog, outer, bounds, likely));
    whenFrameTold(dialog, frame, [&dialog, outer, bounds](const QMargins& told) {
        dialog.setGeometry(centredIn(dialog, outer, bounds, scaled(told, dialog)));
    });
}

}  // namespace quartet
