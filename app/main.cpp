// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "game/RandomSource.h"
#include "settings/IniSettingsStore.h"
#include "ui/ApplicationSetup.h"
#include "ui/WindowPlacement.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QCoreApplication>

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

}  // namespace

int main(int argc, char* argv[])
{
    // Read before any window system is touched: the commands that print
    // instead of opening the window need no display.
    const quartet::CommandLine commandLine(quartet::CommandLine::argumentsOf(argc, argv));
    if (commandLine.opensWindow())
        return runWindow(argc, argv);

    const QCoreApplication app(argc, argv);
    return commandLine.run(std::cout, std::cerr);
}
