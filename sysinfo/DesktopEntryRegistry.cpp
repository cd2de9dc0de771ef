// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/DesktopEntryRegistry.h"

#include "sysinfo/DesktopEntries.h"
#include "sysinfo/SystemInfo.h"

#include <optional>
#include <utility>

namespace quartet {

// The MSINFO key with PATH naming the tool's desktop entry, stored as the
// registry stores text: its bytes and a terminating zero.
std::optional<RegistryKey> DesktopEntryRegistry::readKey(std::uint32_t root, const std::string& keyPath)
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

}  // namespace quartet
