// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/PlatformOption.h"

#include <optional>
#include <string>
#include <vector>

namespace quartet {

// What decides where the window is best opened, found before Qt starts.
struct DisplayFacts {
    // A platform named in QT_QPA_PLATFORM or with -platform: the user's choice stands.
    bool platformNamed = false;
    bool xOpens = false;
    bool waylandOpens = false;
    // The compositor offers to draw the title bars (zxdg_decoration_manager_v1).
    bool compositorDrawsTitleBars = false;
    // The Qt in use, as QT_VERSION_CHECK makes it: 0x060802 for 6.8.2.
    unsigned qtVersion = 0;
    std::string desktop;          // XDG_CURRENT_DESKTOP, names separated by ':'
    std::string decorationNamed;  // QT_WAYLAND_DECORATION
    bool decorationsOff = false;  // QT_WAYLAND_DISABLE_WINDOWDECORATION
    // The keys of Qt's installed Wayland title-bar plugins, in lower case.
    std::vector<std::string> decorations;
};

// Whether to ask Qt for X rather than let it choose. On Wayland, where the
// compositor draws no title bars, Qt draws its own; but for the windows of
// this program, which are fixed in size and offer only a close box, Qt's
// plain bar shows minimise and maximise buttons (and maximising breaks the
// window on some compositors), and the compositor rather than the program
// places the window. So where the session also offers X, and the user has
// chosen no platform, the window runs on X. Native Wayland is kept where it
// serves: where the compositor draws the bar (KDE's KWin), where Qt draws a
// close-only bar in the desktop's style (Qt 6.8 and later on GNOME), and
// where the user has chosen Qt's title bar or none.
bool runsBetterOnX(const DisplayFacts& facts);

// Qt's -platform option: cli/PlatformOption.h.

// The arguments to make the QApplication with: the program's own, with
// "-platform NAME" put right after the program's name when a platform is
// chosen for Qt. Qt keeps a reference to the count, so this lives as long as
// the application does.
class QtArguments {
public:
    QtArguments(int argc, char* argv[], const std::string& platform);
    QtArguments(const QtArguments&) = delete;
    QtArguments& operator=(const QtArguments&) = delete;

    int& count() { return m_count; }
    char** values() { return m_values.data(); }

private:
    std::string m_option = "-platform";
    std::string m_platform;
    std::vector<char*> m_values;
    int m_count = 0;
};

}  // namespace quartet
