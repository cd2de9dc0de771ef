// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace quartet {

// The program's windows are fixed in size and ask for no maximise button,
// but some title bars offer one all the same (Qt's own on Wayland, where a
// double-click on the bar maximises too), and some compositors then
// maximise the window anyway. A fixed window never stays maximised: it asks
// to be normal again at once. Meanwhile it may take the size the compositor
// gives it (its content keeps its size, in the corner), since weston ends a
// program whose maximised window keeps another size; and it is fixed again
// once it is back to normal.
class FixedSizeWindows : public QObject {
    Q_OBJECT

public:
    // Watches every window from now on; calling it again does nothing.
    static void watch();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    static void follow(QWidget& window);
};

}  // namespace quartet
