// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Announcer.h"

#include <QAccessible>
#include <QWidget>

namespace quartet {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
Announcer::Announcer(QWidget* window) : m_window(window) {}
#else
Announcer::Announcer(QWidget* window)
{
    for (auto& carrier : m_carriers) {
        carrier = new QWidget(window);
        carrier->setObjectName(QStringLiteral("announcement"));
        carrier->setGeometry(0, 0, 0, 0);  // nothing to see, nothing to click
    }
}
#endif

void Announcer::announce(const QString& message)
{
    if (!QAccessible::isActive())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(m_window, message);
    QAccessible::updateAccessibility(&event);
#else
    QWidget* carrier = m_carriers[m_next];
    m_next = (m_next + 1) % m_carriers.size();
    carrier->setAccessibleName(message);
    QAccessibleEvent event(carrier, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
#endif
}

}  // namespace quartet
