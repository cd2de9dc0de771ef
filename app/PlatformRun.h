// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace quartet {

// What the start of the program does differently on Linux and on Windows:
// PlatformRun_linux.cpp and PlatformRun_win.cpp, one of which is built.

// Called first: makes the process safe to run (on Linux, the standard
// streams that the caller left closed are held open before anything could
// take their descriptors).
void prepareProcess();

// Opens the main window, with the user's settings store, and runs the
// program until its last window has closed; the exit status.
int runWindow(int argc, char* argv[]);

// Runs print, which writes the command line's answers to std::cout and
// std::cerr, where the user sees them (on Windows, the console that the
// program was started from); print's exit status.
int printToUser(const std::function<int()>& print);

}  // namespace quartet
