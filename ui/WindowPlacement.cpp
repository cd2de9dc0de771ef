// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

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
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
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
