// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quartet {

// Qt's accessibility bridge joins the session bus on the main thread while
// the window is built, and libdbus waits 25 s for each answer: a bus that
// takes connections but never answers (a stopped dbus-daemon, a socket that
// a hung one left behind) would keep the window from opening for minutes.
// Called before the QApplication is made, this asks the bus Qt would join for
// its Hello; when no answer comes within two seconds, DBUS_SESSION_BUS_ADDRESS
// becomes "disabled:" for the rest of the run. Qt then goes without the bus
// (and so without accessibility), and the programs the window starts inherit
// the setting instead of hanging on the same bus. A bus that answers, or that
// fails at once, is left as it is.
void disableSilentSessionBus();

}  // namespace quartet
