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

// Moves a top-level window so that it stands centred on its screen.
void centerOnScreen(QWidget& window);

}  // namespace quartet
