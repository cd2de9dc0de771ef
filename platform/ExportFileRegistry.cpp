#include "platform/ExportFileRegistry.h"

#include "platform/RegistryExport.h"

#include <algorithm>
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

std::int32_t ExportFileRegistry::regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t /*options*/,
                                              std::uint32_t access, RegistryHandle& key)
{
    key = 0;
    const std::optional<std::string> bytes = fileBytes(m_file);
    if (!bytes)
        return registry::kErrorFileNotFound;
    std::optional<RegistryKey> found = RegistryExport::parse(*bytes).key(root, keyPath);
    if (!found)
        return registry::kErrorFileNotFound;
    if ((access & registry::kKeyWriteRights) != 0)
        return registry::kErrorAccessDenied;
    key = m_nextHandle++;
    m_openKeys.emplace(key, std::move(*found));
    return registry::kErrorSuccess;
}

std::int32_t ExportFileRegistry::regQueryValueEx(RegistryHandle key, const std::string& valueName,
                                                 std::uint32_t /*reserved*/, std::uint32_t& type, unsigned char* data,
                                                 std::uint32_t& size)
{
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end())
        return registry::kErrorInvalidHandle;
    const RegistryValue* value = open->second.value(valueName);
    if (value == nullptr)
        return registry::kErrorFileNotFound;

    // The file is at most 16 MiB, so the length fits in 32 bits.
    const auto length = static_cast<std::uint32_t>(value->data.size());
    type = value->type;
    if (data != nullptr && length > size) {
        size = length;
        return registry::kErrorMoreData;
    }
    if (data != nullptr)
        std::copy(value->data.begin(), value->data.end(), data);
    size = length;
    return registry::kErrorSuccess;
}

void ExportFileRegistry::regCloseKey(RegistryHandle key)
{
    m_openKeys.erase(key);
}

}  // namespace quartet
