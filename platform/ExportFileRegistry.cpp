// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ExportFileRegistry.h"

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

std::optional<RegistryExport> ExportFileRegistry::load(const std::filesystem::path& file)
{
    const RegularFile read = RegularFile::read(file, kMaxFileSize);
    if (read.status != RegularFile::Status::Read)
        return std::nullopt;
    return RegistryExport::parse(read.bytes);
}

std::optional<RegistryKey> ExportFileRegistry::readKey(std::uint32_t root, const std::string& keyPath)
{
    const std::optional<RegistryExport> exported = load(m_file);
    return exported ? exported->key(root, keyPath) : std::nullopt;
}

}  // namespace quartet
