#pragma once

#include "platform/Registry.h"
#include "platform/RegistryKey.h"

#include <cstddef>
#include <filesystem>
#include <map>

namespace quartet {

// A registry for systems without one: the keys and values of a registry
// export file (see RegistryExport for the format).
//
// The machine-wide file is /etc/xdg/Quartet/registry.reg, written by the
// administrator; the environment variable QUARTET_REGISTRY_FILE names another
// file instead (tests use it). The file is read afresh at every open, so a
// change takes effect at the next lookup. Without a readable file, a file of
// more than 16 MiB or one without the header line, every key is missing.
//
// The registry is read-only: opening with any write right is refused with
// kErrorAccessDenied, as HKEY_LOCAL_MACHINE refuses an ordinary user.
// Opening a key takes a snapshot of its values for the handle.
class ExportFileRegistry final : public Registry {
public:
    static constexpr const char* kDefaultFile = "/etc/xdg/Quartet/registry.reg";
    static constexpr const char* kFileVariable = "QUARTET_REGISTRY_FILE";
    static constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

    explicit ExportFileRegistry(std::filesystem::path file);

    // The machine-wide file, or the one QUARTET_REGISTRY_FILE names.
    static std::filesystem::path systemFile();

    std::int32_t regOpenKeyEx(std::uint32_t root, const std::string& keyPath, std::uint32_t options,
                              std::uint32_t access, RegistryHandle& key) override;
    std::int32_t regQueryValueEx(RegistryHandle key, const std::string& valueName, std::uint32_t reserved,
                                 std::uint32_t& type, unsigned char* data, std::uint32_t& size) override;
    void regCloseKey(RegistryHandle key) override;

private:
    std::filesystem::path m_file;
    std::map<RegistryHandle, RegistryKey> m_openKeys;
    RegistryHandle m_nextHandle = 1;
};

}  // namespace quartet
