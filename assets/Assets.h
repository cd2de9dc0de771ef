// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quartet {

// Makes the program's artwork available as Qt resources:
//   ":/card.bmp"     the card picture, 75 x 102 pixels, 256 colours
//   ":/quartet.ico"  the application icon, 32 x 32 and 16 x 16 pixels
//
// The artwork is compiled into the static library quartet_assets, and the
// linker keeps a static library's resources only when something refers to
// them: call this once at start-up, before the first picture is loaded.
// Calling it again does no harm.
void initAssets();

}  // namespace quartet
