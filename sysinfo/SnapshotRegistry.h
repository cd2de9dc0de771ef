// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/Registry.h"
#include "sysinfo/RegistryKey.h"

#include <map>
#include <optional>

namespace quartet {

// A read-only registry that reads a key whole when it is opened: the handle
// holds that snapshot of the key's values until it is closed. Where the keys
// come from is each kind's own (readKey); the registry functions are the
// same for all of them.
//
// Opening with a write right is refused with kErrorAccessDenied, as
// HKEY_LOCAL_MACHINE refuses an ordinary user.
class SnapshotRegistry : public Registry {
public:
    // The values of the key as they are now, or nothing when there is no such key.
    virtual std::optional<RegistryKey> readKey(std::uint32_t root, const std::string& keyPath) = 0;

    std::int32_t regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t options,
                              std::uint32_t access, RegistryHandle& key) final;
    std::int32_t regQueryValueEx(RegistryHandle key, const std::string& valueName, std::uint32_t reserved,
                                 std::uint32_t& type, unsigned char* data, std::uint32_t& size) final;
    void regCloseKey(RegistryHandle key) final;

private:
    std::map<RegistryHandle, RegistryKey> m_openKeys;
    RegistryHandle m_nextHandle = 1;
};

}  // namespace quartet
