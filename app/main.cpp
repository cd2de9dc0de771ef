// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ApplicationSetup.h"
#include "app/QtTranslations.h"
#include "cli/CommandLine.h"
#include "desktop/startup/BusCheck.h"
#include "desktop/startup/DisplayCheck.h"
#include "desktop/startup/PlatformChoice.h"
#include "desktop/startup/PlatformStartGuard.h"
#include "desktop/startup/StandardStreams.h"
#include "desktop/windows/WindowPlacement.h"
#include "game/RandomSource.h"
#include "settings/KeyFileSettingsStore.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

#include <cstdlib>
#include <iostream>

namespace {

// The platform the user named: -platform wins over QT_QPA_PLATFORM, as in Qt.
std::optional<quartet::NamedPlatform> namedPlatform(const std::optional<quartet::PlatformOption>& option)
{
    if (option)
        return quartet::NamedPlatform{option->name, "-platform"};
    if (const QByteArray name = qgetenv("QT_QPA_PLATFORM"); !name.isEmpty())
        return quartet::NamedPlatform{name.toStdString(), "QT_QPA_PLATFORM"};
    return std::nullopt;
}

int runWindow(int argc, char* argv[], const std::optional<quartet::PlatformOption>& platformOption)
{
    quartet::BusCheck buses;
    quartet::WindowStart start = quartet::planWindowStart(argv[0], namedPlatform(platformOption));
    if (!start.problem.empty()) {
        std::cerr << start.problem << '\n';
        return EXIT_FAILURE;
    }

    buses.leaveOutSilentBuses();
    quartet::QtArguments qtArguments(argc, argv, start.platform);
    quartet::PlatformStartGuard guard(start.failureLine);
    QApplication app(qtArguments.count(), qtArguments.values());
    guard.release();
    start.heldDisplay.reset();
    quartet::prepareApplication();

    quartet::frmMain window({
        std::make_unique<quartet::KeyFileSettingsStore>(quartet::KeyFileSettingsStore::standardDirectory()),
        nullptr,
        std::make_unique<quartet::ClockRandomSource>(),
    });
    quartet::centerOnScreen(window);
    window.show();
    return QApplication::exec();
}

int runCommandLine(int argc, char* argv[], const QStringList& arguments)
{
    const QCoreApplication app(argc, argv);
    quartet::installQtTranslations();
    // Qt words its usage lines and parse errors in the translation installed
    // when it reads the arguments, so they are read again now that there is
    // an application to install Qt's Chinese texts in.
    const quartet::CommandLine commandLine(arguments);
    return commandLine.run(std::cout, std::cerr);
}

}  // namespace

int main(int argc, char* argv[])
{
    // Before anything opens a descriptor that could take their numbers.
    quartet::holdClosedStandardStreams();

    // Read before any window system is touched: the commands that print
    // instead of opening the window need no display. Qt's -platform option
    // is Qt's to read, not the command line's.
    const auto platformOption = quartet::findPlatformOption(std::vector<std::string>(argv, argv + argc));
    QStringList arguments = quartet::CommandLine::argumentsOf(argc, argv);
    if (platformOption)
        arguments.remove(platformOption->index, 2);
    if (quartet::CommandLine(arguments).opensWindow())
        return runWindow(argc, argv, platformOption);
    return runCommandLine(argc, argv, arguments);
}
