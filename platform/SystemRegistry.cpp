// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemRegistry.h"

#ifdef _WIN32
#include "platform/WindowsRegistry.h"
#else
#include "platform/DesktopEntryRegistry.h"
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
