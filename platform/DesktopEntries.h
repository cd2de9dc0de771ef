// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace quartet {

// The system information tools of Linux desktops, found by their desktop
// entries in the XDG data directories and started through GIO. Built off
// Windows only. Paths are in the system's narrow encoding.

// The desktop entry file of the tool to start on the current desktop, or
// nothing when none is installed. The current desktop's own tool comes first
// (KDE: org.kde.kinfocenter.desktop; GNOME and Unity:
// gnome-info-overview-panel.desktop), then hardinfo.desktop on any desktop.
// An entry counts when GIO accepts it (an application whose TryExec and Exec
// programs are found), it is not hidden, and its OnlyShowIn and NotShowIn
// keys let it show on the desktops that XDG_CURRENT_DESKTOP names.
//
// The environment is read afresh at every call, not through GIO's
// per-process caches, so the answer follows a change of XDG_DATA_HOME,
// XDG_DATA_DIRS or XDG_CURRENT_DESKTOP and the tools installed meanwhile.
std::optional<std::string> findSystemInformationEntry();

// Whether path names a desktop entry: an ordinary file named *.desktop.
bool isDesktopEntryFile(const std::string& path);

// Starts the program of the desktop entry at path as the desktop starts it:
// GIO expands the Exec line, field codes and quoted arguments included, and
// runs it without a shell and without waiting. False when the entry cannot
// be read or its program cannot be started.
bool launchDesktopEntry(const std::string& path);

}  // namespace quartet
