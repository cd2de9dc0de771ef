// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <mutex>
#include <string>
#include <vector>

namespace quartet {

// When its platform cannot start, Qt prints a few lines of its own (and
// libwayland-client some more) and then aborts with a core dump. While a
// guard exists (around the making of the QApplication), these messages are
// held back: a fatal one ends the program with the guard's one line and
// status 1 instead, and the others are passed on once the guard is released.
// Only one guard exists at a time.
class PlatformStartGuard {
public:
    explicit PlatformStartGuard(std::string failureLine);
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;

    // The platform has started: passes the held messages on.
    void release();

    struct HeldMessage {
        bool fromQt = true;  // else a line of libwayland-client's
        QtMsgType type = QtDebugMsg;
        std::string file;
        int line = 0;
        std::string function;
        std::string category;
        QString text;
    };
    // Holds a message of the active guard, or ends the program for a fatal one.
    static void hold(HeldMessage message);

private:
    const std::string m_failureLine;
    QtMessageHandler m_previous = nullptr;
    std::mutex m_mutex;  // Qt may report from its own threads
    std::vector<HeldMessage> m_held;
    bool m_released = false;
};

}  // namespace quartet
