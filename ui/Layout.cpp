// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Layout.h"

#include <QFont>
#include <QWidget>

namespace quartet {

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
