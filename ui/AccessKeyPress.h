// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAbstractButton;

namespace quartet {

// Presses a button at once when its access key (Alt and the underlined
// letter) is pressed. Qt shows the press first and clicks 100 ms later, so
// that a command key pressed within that time, Ctrl+D say, would run before
// the button's command; every command runs in the order of its key instead.
// A key that several buttons share still moves the focus among them.
class AccessKeyPress final : public QObject {
    Q_OBJECT

public:
    // Installs the behaviour on button; it goes with the button.
    static void install(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

}  // namespace quartet
