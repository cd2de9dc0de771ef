// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

#include "ui/FrameExtents.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quartet {

namespace {

// Where the window goes for it to stand centred on the area, frame and all.
QRect centredIn(const QWidget& window, const QRect& area, const QMargins& frame)
{
    // The frame's sides are in device pixels, the window's geometry in scaled ones.
    const QMarginsF sides = QMarginsF(frame) / window.devicePixelRatio();
    QRectF outer = QRectF(QPointF(), QSizeF(window.size())).marginsAdded(sides);
    outer.moveCenter(QRectF(area).center());
    const QPointF inner = outer.topLeft() + QPointF(sides.left(), sides.top());
    return {inner.toPoint(), window.size()};
}

}  // namespace

void centerOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.adjustSize();
    const QRect area = screen->availableGeometry();
    // Some window managers (weston's) keep a window where it was created and
    // move it no more, so it is created centred as if it had no frame.
    window.setGeometry(centredIn(window, area, QMargins()));
    // The window manager adds its frame once the window is shown, so the
    // frame is learnt first and centred with the window inside it. Where the
    // window manager tells the frame only as it takes the window on (KWin),
    // the window is placed again then, before it is first drawn.
    const std::optional<QMargins> frame = frameExtents(window);
    if (frame)
        window.setGeometry(centredIn(window, area, *frame));
    else
        whenFrameTold(window,
                      [&window, area](const QMargins& told) { window.setGeometry(centredIn(window, area, told)); });
}

void fitFontToLayout(QWidget& window)
{
    constexpr qreal kLayoutPointSize = 9.0;
    QFont font = window.font();
    if (font.pointSizeF() > kLayoutPointSize) {
        font.setPointSizeF(kLayoutPointSize);
        window.setFont(font);
    }
}

}  // namespace quartet
