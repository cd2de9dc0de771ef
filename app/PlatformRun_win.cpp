// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: Qt starts on the system's own windows, and the settings live in
// the registry.
#include "app/PlatformRun.h"

#include "app/ApplicationSetup.h"
#include "desktop/console/ParentConsole.h"
#include "settings/RegistrySettingsStore.h"

#include <QApplication>

#include <memory>

namespace quartet {

void prepareProcess() {}

int runWindow(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return runMainWindow(std::make_unique<RegistrySettingsStore>());
}

int printToUser(const std::function<int()>& print)
{
    const ParentConsole console;
    return print();
}

}  // namespace quartet
