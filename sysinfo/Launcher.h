// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quartet {

// Window style of a started program: a normal window that gets the focus.
inline constexpr int kWindowStyleNormalFocus = 1;

// Starts external programs without waiting for them, behind an interface so
// tests can record the launches.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Starts the program that commandLine names (in the system's narrow
    // encoding) with the given window style. Returns false when nothing
    // could be started.
    virtual bool startDetached(const std::string& commandLine, int windowStyle) = 0;
};

}  // namespace quartet
