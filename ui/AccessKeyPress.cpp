// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AccessKeyPress.h"

#include <QAbstractButton>
#include <QShortcutEvent>

namespace quartet {

void AccessKeyPress::install(QAbstractButton* button)
{
    button->installEventFilter(new AccessKeyPress(button));
}

bool AccessKeyPress::eventFilter(QObject* watched, QEvent* event)
{
    // A button receives shortcut events for its own access key only.
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button == nullptr || event->type() != QEvent::Shortcut || static_cast<QShortcutEvent*>(event)->isAmbiguous())
        return false;
    button->click();
    return true;
}

}  // namespace quartet
