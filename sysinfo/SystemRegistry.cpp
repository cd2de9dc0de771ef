// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/SystemRegistry.h"

#ifdef _WIN32
#include "sysinfo/WindowsRegistry.h"
#else
#include "sysinfo/DesktopEntryRegistry.h"
#endif

namespace quartet {

std::unique_ptr<Registry> systemRegistry()
{
#ifdef _WIN32
    return std::make_unique<WindowsRegistry>();
#else
    return std::make_unique<DesktopEntryRegistry>();
#endif
}

}  // namespace quartet
