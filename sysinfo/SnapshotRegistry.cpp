// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/SnapshotRegistry.h"

#include <algorithm>
#include <utility>

namespace quartet {

std::int32_t SnapshotRegistry::regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t /*options*/,
                                            std::uint32_t access, RegistryHandle& key)
{
    key = 0;
    std::optional<RegistryKey> found = readKey(root, keyPath);
    if (!found)
        return registry::kErrorFileNotFound;
    if ((access & registry::kKeyWriteRights) != 0)
        return registry::kErrorAccessDenied;
    key = m_nextHandle++;
    m_openKeys.emplace(key, std::move(*found));
    return registry::kErrorSuccess;
}

std::int32_t SnapshotRegistry::regQueryValueEx(RegistryHandle key, const std::string& valueName,
                                               std::uint32_t /*reserved*/, std::uint32_t& type, unsigned char* data,
                                               std::uint32_t& size)
{
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end())
        return registry::kErrorInvalidHandle;
    const RegistryValue* value = open->second.value(valueName);
    if (value == nullptr)
        return registry::kErrorFileNotFound;

    // Values are paths and the like, far below 4 GiB.
    const auto length = static_cast<std::uint32_t>(value->data.size());
    type = value->type;
    if (data != nullptr && length > size) {
        size = length;
        return registry::kErrorMoreData;
    }
    if (data != nullptr)
        std::copy(value->data.begin(), value->data.end(), data);
    size = length;
    return registry::kErrorSuccess;
}

void SnapshotRegistry::regCloseKey(RegistryHandle key)
{
    m_openKeys.erase(key);
}

}  // namespace quartet
