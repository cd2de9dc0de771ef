// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifdef __unix__
#include "desktop/startup/AbandonableCall.h"

#include <chrono>
#include <vector>
#endif

namespace quartet {

// Qt joins the session bus, and the accessibility bus that AT_SPI_BUS_ADDRESS
// names, on the main thread while the window is built, and libdbus waits 25 s
// for each answer there, or for ever where a bus answers its authentication
// with something it cannot use: a stopped or hung bus would keep the window
// from opening for minutes. So before the QApplication is made each bus is
// asked for its Hello over libdbus, as Qt would ask it: a private connection
// to the address, its entries tried in libdbus's order, authentication and
// the Hello's reply, on a thread of its own that is abandoned if libdbus
// still waits at the deadline. A bus that has not answered within 10 s, or
// has refused, is left out for the run: its variable becomes "disabled:",
// so that Qt goes without it (the session bus, and accessibility with it)
// and the programs the window starts inherit the setting instead of hanging
// on the same bus.
class BusCheck {
public:
    // Starts asking the buses, which then answer while the display is checked.
    BusCheck();
    BusCheck(const BusCheck&) = delete;
    BusCheck& operator=(const BusCheck&) = delete;

    // Waits for the answers, until the deadline at most, and leaves out each
    // bus that has not answered.
    void leaveOutSilentBuses();

#ifdef __unix__
private:
    struct Question {
        const char* variable;
        AbandonableCall<bool> answer;
    };
    std::chrono::steady_clock::time_point m_deadline;
    std::vector<Question> m_questions;
#endif
};

}  // namespace quartet
