// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/Registry.h"

#include <memory>

namespace quartet {

// The registry of this system: the real one on Windows; elsewhere the
// desktop's installed tools (DesktopEntryRegistry).
std::unique_ptr<Registry> systemRegistry();

}  // namespace quartet
