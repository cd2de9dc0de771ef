// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopSystemRegistry.h"

#include <utility>

namespace quartet {

DesktopSystemRegistry::DesktopSystemRegistry(std::filesystem::path exportFile) : m_exportFile(std::move(exportFile)) {}

std::optional<RegistryKey> DesktopSystemRegistry::readKey(std::uint32_t root, const std::string& keyPath)
{
    if (const std::optional<RegistryExport> exported = ExportFileRegistry::load(m_exportFile))
        return exported->key(root, keyPath);
    return m_desktop.readKey(root, keyPath);
}

}  // namespace quartet
