// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>

class QShowEvent;
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

// Places a top-level window so that it stands centred on its screen, frame
// and all.
void centerOnScreen(QWidget& window);

// Places a dialog, sized and about to be shown, so that it stands centred on
// the window it belongs to, frame and all, and on the screen. Qt's own
// placement puts a box a title bar's height too high under window managers
// that place the window rather than its frame where asked (openbox, KWin).
void centerOnOwner(QWidget& dialog);

// A dialog (a message box, an input box) that stands centred on the window
// it belongs to when it is shown.
template <typename Dialog>
class OwnerCentred : public Dialog {
public:
    using Dialog::Dialog;

protected:
    void showEvent(QShowEvent* event) override
    {
        Dialog::showEvent(event);  // gives the dialog its size
        centerOnOwner(*this);
    }
};

// The windows are laid out in twips for a desktop font of 9 points, and a
// larger one would be clipped by their fixed controls. So a window uses the
// desktop's font at 9 points at most; a scale factor (QT_SCALE_FACTOR, or the
// desktop's own) enlarges text and layout alike.
void fitFontToLayout(QWidget& window);

}  // namespace quartet
