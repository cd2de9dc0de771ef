// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace quartet {

class SettingsStore;

// What every run needs before the first window: the program's name (which
// also places its settings) and its artwork, with the icon that every
// window of the program bears. Calling it again does no harm.
void prepareApplication();

// Prepares the application, opens the main window with the given settings
// store, centred on the screen, and runs the program until its last window
// has closed. Needs a QApplication; returns the exit status.
int runMainWindow(std::unique_ptr<SettingsStore> store);

}  // namespace quartet
