// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RegistryExport.h"
#include "platform/SnapshotRegistry.h"

#include <cstddef>
#include <filesystem>
#include <optional>

namespace quartet {

// A registry for systems without one: the keys and values of a registry
// export file (see RegistryExport for the format).
//
// The machine-wide file is /etc/xdg/Quartet/registry.reg, written by the
// administrator; the environment variable QUARTET_REGISTRY_FILE names another
// file instead (tests use it). The file is read afresh at every open, so a
// change takes effect at the next lookup. Without a readable regular file,
// with a file above kMaxFileSize or one without the header line, every key
// is missing.
class ExportFileRegistry final : public SnapshotRegistry {
public:
    static constexpr const char* kDefaultFile = "/etc/xdg/Quartet/registry.reg";
    static constexpr const char* kFileVariable = "QUARTET_REGISTRY_FILE";
    // The two keys the program reads take well under 1 KiB, and an export of
    // all the shared tools' keys tens of KiB. The limit keeps a lookup of a
    // file built to be as costly as possible near 30 ms and 10 MiB.
    static constexpr std::size_t kMaxFileSize = 256 * 1024;

    explicit ExportFileRegistry(std::filesystem::path file);

    // The machine-wide file, or the one QUARTET_REGISTRY_FILE names.
    static std::filesystem::path systemFile();

    // The export in file, read once, without waiting should it be a pipe and
    // only up to the limit whatever size it reports; nothing when it is not a
    // readable regular file within the limit.
    static std::optional<RegistryExport> load(const std::filesystem::path& file);

    std::optional<RegistryKey> readKey(std::uint32_t root, const std::string& keyPath) override;

private:
    std::filesystem::path m_file;
};

}  // namespace quartet
