// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Registry.h"

#include <memory>

namespace quartet {

// The registry of this system: the real one on Windows; elsewhere the export
// file stand-in over ExportFileRegistry::systemFile() when that file can be
// read, and otherwise the desktop's installed tools (DesktopSystemRegistry).
std::unique_ptr<Registry> systemRegistry();

}  // namespace quartet
