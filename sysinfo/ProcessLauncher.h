// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/Launcher.h"

namespace quartet {

// Starts programs with QProcess, detached from this one. A command line is
// the absolute path of one program file, blanks and all, as a registered
// tool path is written without quotes. It is started exactly: never looked
// up along PATH, never split into arguments; a relative path or one that
// names no file starts nothing. Off Windows, a path that names a desktop
// entry file (*.desktop) starts that entry's program instead
// (launchDesktopEntry).
//
// The program always opens in its normal window, which is the style
// kWindowStyleNormalFocus; another style is refused rather than ignored.
class ProcessLauncher final : public Launcher {
public:
    bool startDetached(const std::string& commandLine, int windowStyle) override;
};

}  // namespace quartet
