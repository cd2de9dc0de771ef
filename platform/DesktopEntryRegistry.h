// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Registry.h"
#include "platform/RegistryKey.h"

#include <map>

namespace quartet {

// The registry as a Linux desktop answers it. It knows one value, the one
// that finds the system information tool: PATH under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO is the desktop
// entry file of the tool this desktop would start (findSystemInformationEntry),
// which the process launcher starts through GIO. The entry is looked up at
// every open, so a tool installed meanwhile is found; with none installed the
// key is missing.
//
// The tool's folder under Shared Tools Location is not answered: it would
// have to name a folder holding MSINFO32.EXE, which no Linux desktop has, so
// every other key is missing.
//
// Read-only, as HKEY_LOCAL_MACHINE is to an ordinary user: opening with a
// write right is refused with kErrorAccessDenied.
class DesktopEntryRegistry final : public Registry {
public:
    std::int32_t regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t options,
                              std::uint32_t access, RegistryHandle& key) override;
    std::int32_t regQueryValueEx(RegistryHandle key, const std::string& valueName, std::uint32_t reserved,
                                 std::uint32_t& type, unsigned char* data, std::uint32_t& size) override;
    void regCloseKey(RegistryHandle key) override;

private:
    std::map<RegistryHandle, RegistryKey> m_openKeys;
    RegistryHandle m_nextHandle = 1;
};

}  // namespace quartet
