// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QShowEvent;
class QWidget;

namespace quartet {

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

}  // namespace quartet
