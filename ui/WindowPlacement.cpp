// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

#include "ui/FrameExtents.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quartet {

void centerOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.adjustSize();
    // The window manager adds its frame once the window is shown, so the
    // frame is learnt first and centred with the window inside it. Its
    // sides are in device pixels, the window's geometry in scaled ones.
    const QMarginsF frame = QMarginsF(frameExtents(window)) / window.devicePixelRatio();
    QRectF outer = QRectF(QPointF(), QSizeF(window.size())).marginsAdded(frame);
    outer.moveCenter(QRectF(screen->availableGeometry()).center());
    const QPointF inner = outer.topLeft() + QPointF(frame.left(), frame.top());
    window.setGeometry(QRect(inner.toPoint(), window.size()));
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
