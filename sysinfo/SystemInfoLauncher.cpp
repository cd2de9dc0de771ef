// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/SystemInfoLauncher.h"

#include "sysinfo/LocalFileSystem.h"
#include "sysinfo/ProcessLauncher.h"
#include "sysinfo/SystemRegistry.h"

#include <utility>

namespace quartet {

SystemInfoLauncher::SystemInfoLauncher()
    : SystemInfoLauncher(systemRegistry(), std::make_unique<LocalFileSystem>(), std::make_unique<ProcessLauncher>())
{
}

SystemInfoLauncher::SystemInfoLauncher(std::unique_ptr<Registry> registry, std::unique_ptr<FileSystem> files,
                                       std::unique_ptr<Launcher> launcher)
    : m_registry(std::move(registry)), m_files(std::move(files)), m_launcher(std::move(launcher))
{
}

void SystemInfoLauncher::start(const ShowMessage& showMessage)
{
    startSystemInformationTool(*m_registry, *m_files, *m_launcher, showMessage);
}

}  // namespace quartet
