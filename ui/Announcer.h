// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

class QString;
class QWidget;

namespace quartet {

// Tells the screen reader, in one short message, what a command changed
// away from the keyboard focus: the hand a deal put on the card display, the
// answers, the slots of the entry panel, the texts of a dialog that opens.
// Qt 6.8 has announcements for this. Qt 6.4 sends a change of a control's
// name or description without its text, and Orca says nothing; what it does
// say is the control that Qt reports as focused, even one without the focus.
// So there the message becomes the name of an empty, zero-sized widget of
// the window, which is then reported as focused; the keyboard focus stays
// where it is, and the screen reader's where-am-I tells the message until
// the focus moves. Two such widgets take turns, as a screen reader says
// nothing for a focus on what it already has.
class Announcer {
public:
    explicit Announcer(QWidget* window);

    void announce(const QString& message);

private:
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QWidget* m_window;
#else
    std::array<QWidget*, 2> m_carriers{};  // owned by the window
    std::size_t m_next = 0;
#endif
};

}  // namespace quartet
