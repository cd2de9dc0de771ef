// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quartet {

// A platform the user named: with -platform, or in QT_QPA_PLATFORM.
struct NamedPlatform {
    std::string name;
    std::string namedBy;  // "-platform" or "QT_QPA_PLATFORM"
};

// How the window is to be opened.
struct WindowStart {
    // Why no window can open here, as one line that also names the way to run
    // the program on a virtual display; empty when a window can open.
    std::string problem;
    // The platform to ask Qt for; empty to leave the choice to Qt.
    std::string platform;
    // The one line to end with should Qt's platform not start after all.
    std::string failureLine;
    // The program's own connection to the X display, to be kept until Qt has
    // made its own: an X server left without clients resets itself (Xvfb as
    // xvfb-run starts it does), and Qt's connection would then fail.
    std::shared_ptr<void> heldDisplay;
};

// Qt aborts with a page of platform-plugin messages and a core dump when its
// platform cannot connect to a display, so this is asked before the
// QApplication is made: an X display is tried with libxcb (the library Qt's
// own X platform connects with), a Wayland display with libwayland-client,
// both at once. A display that takes the connection but gives no answer
// within two seconds counts as one that does not open. A platform the user
// named (offscreen, say) is taken at its word.
WindowStart planWindowStart(std::string_view program, const std::optional<NamedPlatform>& named);

}  // namespace quartet
