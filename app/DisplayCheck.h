// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quartet {

// Why the window cannot be shown here, as one line that also names the way
// to run the program on a virtual display; empty when it can be shown.
//
// Qt aborts with a page of platform-plugin messages and a core dump when its
// platform cannot connect to a display, so this is asked before the
// QApplication is made: an X display is tried with libxcb (the library Qt's
// own X platform connects with), a Wayland display by its socket. A platform
// chosen by hand in QT_QPA_PLATFORM (offscreen, say) is taken at its word.
std::string whyNoDisplay(std::string_view program);

}  // namespace quartet
