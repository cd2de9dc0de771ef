// SPDX-License-Identifier: GPL-3.0-or-later
// Linux: the display and the session bus are asked before Qt starts, which
// would abort without a display or wait for a silent bus.
#include "app/PlatformRun.h"

#include "app/ApplicationSetup.h"
#include "desktop/startup/BusCheck.h"
#include "desktop/startup/DisplayCheck.h"
#include "desktop/startup/PlatformChoice.h"
#include "desktop/startup/PlatformStartGuard.h"
#include "desktop/startup/StandardStreams.h"
#include "settings/KeyFileSettingsStore.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quartet {

namespace {

std::optional<PlatformOption> platformOption(int argc, char* argv[])
{
    return findPlatformOption(std::vector<std::string>(argv, argv + argc));
}

// The platform the user named: -platform wins over QT_QPA_PLATFORM, as in Qt.
std::optional<NamedPlatform> namedPlatform(const std::optional<PlatformOption>& option)
{
    if (option)
        return NamedPlatform{option->name, "-platform"};
    if (const QByteArray name = qgetenv("QT_QPA_PLATFORM"); !name.isEmpty())
        return NamedPlatform{name.toStdString(), "QT_QPA_PLATFORM"};
    return std::nullopt;
}

}  // namespace

void prepareProcess()
{
    // Before anything opens a descriptor that could take their numbers.
    holdClosedStandardStreams();
}

int runWindow(int argc, char* argv[])
{
    BusCheck buses;
    WindowStart start = planWindowStart(argv[0], namedPlatform(platformOption(argc, argv)));
    if (!start.problem.empty()) {
        std::cerr << start.problem << '\n';
        return EXIT_FAILURE;
    }

    buses.leaveOutSilentBuses();
    QtArguments qtArguments(argc, argv, start.platform);
    PlatformStartGuard guard(start.failureLine);
    QApplication app(qtArguments.count(), qtArguments.values());
    guard.release();
    start.heldDisplay.reset();
    return runMainWindow(std::make_unique<KeyFileSettingsStore>(KeyFileSettingsStore::standardDirectory()));
}

int printToUser(const std::function<int()>& print)
{
    return print();
}

}  // namespace quartet
