// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quartet {

// What every run needs before the first window: the program's name (which
// also places its settings) and its artwork, with the icon that every
// window of the program bears. Calling it again does no harm.
void prepareApplication();

}  // namespace quartet
