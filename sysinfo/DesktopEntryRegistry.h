// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/SnapshotRegistry.h"

namespace quartet {

// The registry as a Linux desktop answers it. It knows one value, the one
// that finds the system information tool: PATH under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO is the desktop
// entry file of the tool this desktop would start (findSystemInformationEntry),
// which the process launcher starts. The entry is looked up at
// every open, so a tool installed meanwhile is found; with none installed the
// key is missing.
//
// The tool's folder under Shared Tools Location is not answered: it would
// have to name a folder holding MSINFO32.EXE, which no Linux desktop has, so
// every other key is missing.
class DesktopEntryRegistry final : public SnapshotRegistry {
public:
    std::optional<RegistryKey> readKey(std::uint32_t root, const std::string& keyPath) override;
};

}  // namespace quartet
