// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace quartet {

// Names a control as tests and screen readers know it and puts it in place.
template <typename Widget>
Widget* place(Widget* widget, const char* name, const QRect& rect)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

// The windows are laid out in twips for a desktop font of 9 points, and a
// larger one would be clipped by their fixed controls. So a window uses the
// desktop's font at 9 points at most; a scale factor (QT_SCALE_FACTOR, or the
// desktop's own) enlarges text and layout alike.
void fitFontToLayout(QWidget& window);

}  // namespace quartet
