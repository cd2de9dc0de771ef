#include "platform/SystemInfoLauncher.h"

#include "platform/LocalFileSystem.h"
#include "platform/ProcessLauncher.h"
#include "platform/SystemRegistry.h"

#include <utility>

namespace quartet {

SystemInfoLauncher::SystemInfoLauncher()
    : SystemInfoLauncher(systemRegistry(), std::make_unique<LocalFileSystem>(), std::make_unique<ProcessLauncher>())
{
}

SystemInfoLauncher::SystemInfoLauncher(std::unique_ptr<Registry> registry, std::unique_ptr<FileSystem> files,
                                       std::unique_ptr<Launcher> launcher)
    : registry_(std::move(registry)), files_(std::move(files)), launcher_(std::move(launcher))
{
}

void SystemInfoLauncher::start(const ShowMessage& showMessage)
{
    StartSysInfo(*registry_, *files_, *launcher_, showMessage);
}

}  // namespace quartet
