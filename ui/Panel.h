// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

namespace quartet {

// A panel of the main window that holds controls: a thin sunken border
// around a button-face background. Controls are placed from the inside of
// the border. The panel is a stop of the tab order, so it shows the keyboard
// focus with a focus rectangle inside its border.
class Panel : public QFrame {
public:
    explicit Panel(QWidget* parent);

    // Where a control placed at rect, measured from the inside of the
    // border, stands in the panel.
    QRect inside(const QRect& rect) const { return rect.translated(contentsRect().topLeft()); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quartet
