// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ExportFileRegistry.h"

#include "platform/RegistryExport.h"
#include "platform/RegularFile.h"

#include <cstdlib>
#include <utility>

namespace quartet {

ExportFileRegistry::ExportFileRegistry(std::filesystem::path file) : m_file(std::move(file)) {}

std::filesystem::path ExportFileRegistry::systemFile()
{
    const char* redirected = std::getenv(kFileVariable);
    if (redirected != nullptr && *redirected != '\0')
        return redirected;
    return kDefaultFile;
}

std::optional<RegistryKey> ExportFileRegistry::readKey(std::uint32_t root, const std::string& keyPath)
{
    const RegularFile file = RegularFile::read(m_file, kMaxFileSize);
    if (file.status != RegularFile::Status::Read)
        return std::nullopt;
    return RegistryExport::parse(file.bytes).key(root, keyPath);
}

}  // namespace quartet
