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

SnapshotRegistry& DesktopSystemRegistry::chosenRegistry()
{
    std::error_code error;
    const bool readable =
        std::filesystem::is_regular_file(m_exportFilePath, error) && std::ifstream(m_exportFilePath).is_open();
    return readable ? static_cast<SnapshotRegistry&>(m_exportFile) : m_desktop;
}

std::optional<RegistryKey> DesktopSystemRegistry::readKey(std::uint32_t root, const std::string& keyPath)
{
    return chosenRegistry().readKey(root, keyPath);
}

}  // namespace quartet
