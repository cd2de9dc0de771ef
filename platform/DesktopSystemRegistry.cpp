// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopSystemRegistry.h"

#include "platform/RegistryExport.h"
#include "platform/RegularFile.h"

#include <utility>

namespace quartet {

DesktopSystemRegistry::DesktopSystemRegistry(std::filesystem::path exportFile) : m_exportFile(std::move(exportFile)) {}

std::optional<RegistryKey> DesktopSystemRegistry::readKey(std::uint32_t root, const std::string& keyPath)
{
    // Read without waiting should it be a pipe, and only up to the limit
    // whatever size it reports.
    const RegularFile file = RegularFile::read(m_exportFile, ExportFileRegistry::kMaxFileSize);
    if (file.status == RegularFile::Status::Read)
        return RegistryExport::parse(file.bytes).key(root, keyPath);
    return m_desktop.readKey(root, keyPath);
}

}  // namespace quartet
