// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopSystemRegistry.h"

#include "platform/RegularFile.h"

#include <utility>

namespace quartet {

DesktopSystemRegistry::DesktopSystemRegistry(std::filesystem::path exportFile)
    : m_exportFilePath(exportFile), m_exportFile(std::move(exportFile))
{
}

SnapshotRegistry& DesktopSystemRegistry::chosenRegistry()
{
    // Looked at without reading it, and without waiting should it be a pipe.
    const bool readable =
        RegularFile::inspect(m_exportFilePath, ExportFileRegistry::kMaxFileSize) == RegularFile::Status::Read;
    return readable ? static_cast<SnapshotRegistry&>(m_exportFile) : m_desktop;
}

std::optional<RegistryKey> DesktopSystemRegistry::readKey(std::uint32_t root, const std::string& keyPath)
{
    return chosenRegistry().readKey(root, keyPath);
}

}  // namespace quartet
