// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace quartet {

// The system information tools of Linux desktops, found by their desktop
// entries in the XDG data directories and started as the desktop starts
// them. Built off Windows only. Paths are in the system's narrow encoding.
//
// An entry is read once, as a regular file of at most 1 MiB whatever size it
// reports, and GLib parses the bytes read. Nothing here consults the session
// bus or GIO's index of all installed applications: either can keep a
// caller waiting for minutes (a bus that never answers; tens of thousands of
// data directories, each watched).

// The desktop entry file of the tool to start on the current desktop, or
// nothing when none is installed. The current desktop's own tool comes first
// (KDE: org.kde.kinfocenter.desktop; GNOME and Unity:
// gnome-info-overview-panel.desktop), then hardinfo.desktop on any desktop.
// An entry counts when it can be started (an application whose TryExec and
// Exec programs are found, whose Exec line quotes every reserved character,
// and that needs no terminal), it is not hidden, and its OnlyShowIn and
// NotShowIn keys let it show on the desktops that XDG_CURRENT_DESKTOP names.
// A hidden entry also hides the entries of its name in the folders after its
// own: the user's Hidden=true hides the system's tool.
//
// The environment is read afresh at every call, so the answer follows a
// change of XDG_DATA_HOME, XDG_DATA_DIRS or XDG_CURRENT_DESKTOP and the tools
// installed meanwhile.
std::optional<std::string> findSystemInformationEntry();

// Whether path names a desktop entry: an ordinary file named *.desktop.
bool isDesktopEntryFile(const std::string& path);

// Starts the program of the desktop entry at path as the desktop starts it:
// the Exec line's field codes expanded for a start without files, its words
// split and unquoted as the desktop entry rules say, and the program run
// without a shell, in the entry's Path folder if it names one, and without
// waiting for it. False when the entry does not count (see above, leaving
// aside where it lies) or its program cannot be started: also when the
// system refuses to run the program (a script whose interpreter is missing,
// a pipe in the program's place).
bool launchDesktopEntry(const std::string& path);

}  // namespace quartet
