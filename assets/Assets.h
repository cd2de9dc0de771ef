// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quartet {

// Makes the program's artwork available as Qt resources:
//   ":/card.bmp"        the card picture, 75 x 102 pixels, 256 colours
//   ":/card@2x.bmp"     the same at twice the resolution, 150 x 204 pixels
//   ":/quartet.ico"     the application icon, 32 x 32 and 16 x 16 pixels
//   ":/quartet-48.png"  the icon at 48 and 64 pixels, for the 32-pixel icon
//   ":/quartet-64.png"  of the About dialog on screens scaled by 1.5 and 2
//
// The artwork is compiled into the static library quartet_assets, and the
// linker keeps a static library's resources only when something refers to
// them: call this once at start-up, before the first picture is loaded.
// Calling it again does no harm.
void initAssets();

}  // namespace quartet
