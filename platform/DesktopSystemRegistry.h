// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopEntryRegistry.h"
#include "platform/ExportFileRegistry.h"

#include <filesystem>

namespace quartet {

// The registry of a Linux desktop. The administrator's registry export file
// wins whenever it can be read (a regular file within ExportFileRegistry's
// limit): it is an explicit choice, which may also be
// to have no system information tool at all. Without it, the desktop's
// installed tools answer (DesktopEntryRegistry). The choice is made at every
// open, so adding or removing the file takes effect at the next lookup; the
// bytes read to make it are the ones that answer.
class DesktopSystemRegistry final : public SnapshotRegistry {
public:
    explicit DesktopSystemRegistry(std::filesystem::path exportFile);

    std::optional<RegistryKey> readKey(std::uint32_t root, const std::string& keyPath) override;

private:
    std::filesystem::path m_exportFile;
    DesktopEntryRegistry m_desktop;
};

}  // namespace quartet
