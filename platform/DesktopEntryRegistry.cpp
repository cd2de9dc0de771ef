// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopEntryRegistry.h"

#include "platform/DesktopEntries.h"
#include "platform/SystemInfo.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace quartet {

namespace {

// The MSINFO key with PATH naming the tool's desktop entry, stored as the
// registry stores text: its bytes and a terminating zero.
std::optional<RegistryKey> msInfoKey(std::uint32_t root, const std::string& keyPath)
{
    if (root != registry::kHKeyLocalMachine || foldRegistryName(keyPath) != foldRegistryName(kMsInfoKey))
        return std::nullopt;
    const std::optional<std::string> entry = findSystemInformationEntry();
    if (!entry)
        return std::nullopt;
    RegistryValue path{registry::kRegSz, {entry->begin(), entry->end()}};
    path.data.push_back(0);
    RegistryKey key;
    key.setValue(kMsInfoPathValue, std::move(path));
    return key;
}

}  // namespace

std::int32_t DesktopEntryRegistry::regOpenKeyEx(std::uint32_t root, const std::string& keyPath,
                                                std::uint32_t /*options*/, std::uint32_t access, RegistryHandle& key)
{
    key = 0;
    std::optional<RegistryKey> found = msInfoKey(root, keyPath);
    if (!found)
        return registry::kErrorFileNotFound;
    if ((access & registry::kKeyWriteRights) != 0)
        return registry::kErrorAccessDenied;
    key = m_nextHandle++;
    m_openKeys.emplace(key, std::move(*found));
    return registry::kErrorSuccess;
}

std::int32_t DesktopEntryRegistry::regQueryValueEx(RegistryHandle key, const std::string& valueName,
                                                   std::uint32_t /*reserved*/, std::uint32_t& type, unsigned char* data,
                                                   std::uint32_t& size)
{
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end())
        return registry::kErrorInvalidHandle;
    const RegistryValue* value = open->second.value(valueName);
    if (value == nullptr)
        return registry::kErrorFileNotFound;

    // A path is far shorter than 4 GiB.
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

void DesktopEntryRegistry::regCloseKey(RegistryHandle key)
{
    m_openKeys.erase(key);
}

}  // namespace quartet
