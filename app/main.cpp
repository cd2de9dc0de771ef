// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/StandardStreams.h"
#include "game/RandomSource.h"
#include "settings/IniSettingsStore.h"
#include "ui/ApplicationSetup.h"
#include "ui/QtTranslations.h"
#include "ui/WindowPlacement.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

#include <cstdlib>
#include <iostream>

namespace {

int runWindow(int argc, char* argv[])
{
    if (const std::string problem = quartet::whyNoDisplay(argv[0]); !problem.empty()) {
        std::cerr << problem << '\n';
        return EXIT_FAILURE;
    }

    QApplication app(argc, argv);
    quartet::prepareApplication();

    quartet::frmMain window({
        std::make_unique<quartet::IniSettingsStore>(quartet::IniSettingsStore::standardDirectory()),
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
    // instead of opening the window need no display.
    const QStringList arguments = quartet::CommandLine::argumentsOf(argc, argv);
    if (quartet::CommandLine(arguments).opensWindow())
        return runWindow(argc, argv);
    return runCommandLine(argc, argv, arguments);
}
