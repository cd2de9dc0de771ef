// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopSystemRegistry.h"

#include <fstream>
#include <system_error>
#include <utility>

namespace quartet {

DesktopSystemRegistry::DesktopSystemRegistry(std::filesystem::path exportFile)
    : m_exportFilePath(exportFile), m_exportFile(std::move(exportFile))
{
}

Registry& DesktopSystemRegistry::chosenRegistry()
{
    std::error_code error;
    const bool readable =
        std::filesystem::is_regular_file(m_exportFilePath, error) && std::ifstream(m_exportFilePath).is_open();
    return readable ? static_cast<Registry&>(m_exportFile) : m_desktop;
}

std::int32_t DesktopSystemRegistry::regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t options,
                                                 std::uint32_t access, RegistryHandle& key)
{
    key = 0;
    Registry& source = chosenRegistry();
    RegistryHandle opened = 0;
    const std::int32_t result = source.regOpenKeyEx(root, keyPath, options, access, opened);
    if (result != registry::kErrorSuccess)
        return result;
    // The two registries number their handles alike; this one hands out its own.
    key = m_nextHandle++;
    m_openKeys.emplace(key, OpenedKey{&source, opened});
    return registry::kErrorSuccess;
}

std::int32_t DesktopSystemRegistry::regQueryValueEx(RegistryHandle key, const std::string& valueName,
                                                    std::uint32_t reserved, std::uint32_t& type, unsigned char* data,
                                                    std::uint32_t& size)
{
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end())
        return registry::kErrorInvalidHandle;
    return open->second.registry->regQueryValueEx(open->second.handle, valueName, reserved, type, data, size);
}

void DesktopSystemRegistry::regCloseKey(RegistryHandle key)
{
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end())
        return;
    open->second.registry->regCloseKey(open->second.handle);
    m_openKeys.erase(open);
}

}  // namespace quartet
