// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopEntryRegistry.h"
#include "platform/ExportFileRegistry.h"
#include "platform/Registry.h"

#include <filesystem>
#include <map>

namespace quartet {

// The registry of a Linux desktop. The administrator's registry export file
// wins whenever it can be read: it is an explicit choice, which may also be
// to have no system information tool at all. Without it, the desktop's
// installed tools answer (DesktopEntryRegistry). The choice is made at every
// open, so adding or removing the file takes effect at the next lookup.
class DesktopSystemRegistry final : public Registry {
public:
    explicit DesktopSystemRegistry(std::filesystem::path exportFile);

    std::int32_t regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t options,
                              std::uint32_t access, RegistryHandle& key) override;
    std::int32_t regQueryValueEx(RegistryHandle key, const std::string& valueName, std::uint32_t reserved,
                                 std::uint32_t& type, unsigned char* data, std::uint32_t& size) override;
    void regCloseKey(RegistryHandle key) override;

private:
    // Which registry opened a key, under the handle that registry gave it.
    struct OpenedKey {
        Registry* registry;
        RegistryHandle handle;
    };

    Registry& chosenRegistry();

    std::filesystem::path m_exportFilePath;
    ExportFileRegistry m_exportFile;
    DesktopEntryRegistry m_desktop;
    std::map<RegistryHandle, OpenedKey> m_openKeys;
    RegistryHandle m_nextHandle = 1;
};

}  // namespace quartet
