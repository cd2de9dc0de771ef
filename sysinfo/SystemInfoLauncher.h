// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sysinfo/FileSystem.h"
#include "sysinfo/Launcher.h"
#include "sysinfo/Registry.h"
#include "sysinfo/SystemInfo.h"

#include <memory>

namespace quartet {

// Holds the registry, file test and launcher with which the About dialog
// starts the system information tool.
class SystemInfoLauncher {
public:
    // This system's registry, file system and process launcher.
    SystemInfoLauncher();
    SystemInfoLauncher(std::unique_ptr<Registry> registry, std::unique_ptr<FileSystem> files,
                       std::unique_ptr<Launcher> launcher);

    // Starts the tool, or shows kSysInfoUnavailableMessage through showMessage.
    void start(const ShowMessage& showMessage);

private:
    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<FileSystem> m_files;
    std::unique_ptr<Launcher> m_launcher;
};

}  // namespace quartet
