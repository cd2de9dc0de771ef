// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace quartet {

// The program's windows are fixed in size and ask for no maximise button,
// but some title bars offer one all the same (Qt's own on Wayland), and some
// compositors then maximise the window anyway. Weston ends a program whose
// window does not take the maximised size, which Qt 6.4 keeps a fixed-size
// window from doing. So from the moment a maximise is asked for, the window
// may be as large as the compositor makes it (its content keeps its size, in
// the corner), and it is fixed again once it is back to normal.
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
