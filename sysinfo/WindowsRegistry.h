// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/Registry.h"

namespace quartet {

// The system registry of Windows, through advapi32. Built on Windows only.
class WindowsRegistry final : public Registry {
public:
    std::int32_t regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t options,
                              std::uint32_t access, RegistryHandle& key) override;
    std::int32_t regQueryValueEx(RegistryHandle key, const std::string& valueName, std::uint32_t reserved,
                                 std::uint32_t& type, unsigned char* data, std::uint32_t& size) override;
    void regCloseKey(RegistryHandle key) override;
};

}  // namespace quartet
