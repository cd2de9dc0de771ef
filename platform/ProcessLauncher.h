// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Launcher.h"

namespace quartet {

// Starts programs with QProcess, detached from this one. A command line that
// names an existing file as a whole is that program, blanks and all, as a
// registered tool path is written without quotes; any other command line is
// split into program and arguments by QProcess::splitCommand. Off Windows,
// a command line that names a desktop entry file (*.desktop) starts that
// entry's program through GIO instead (launchDesktopEntry).
//
// The program always opens in its normal window, which is the style
// kWindowStyleNormalFocus; another style is refused rather than ignored.
class ProcessLauncher final : public Launcher {
public:
    bool startDetached(const std::string& commandLine, int windowStyle) override;
};

}  // namespace quartet
