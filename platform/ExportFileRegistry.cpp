// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ExportFileRegistry.h"

#include "platform/RegistryExport.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

namespace quartet {

namespace {

// The whole file, or nothing when it cannot be read or exceeds the limit.
std::optional<std::string> fileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > ExportFileRegistry::kMaxFileSize)
            return std::nullopt;
    }
    if (in.bad())
        return std::nullopt;
    return bytes;
}

}  // namespace

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
    const std::optional<std::string> bytes = fileBytes(m_file);
    if (!bytes)
        return std::nullopt;
    return RegistryExport::parse(*bytes).key(root, keyPath);
}

}  // namespace quartet
