// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlatformRun.h"
#include "app/QtTranslations.h"
#include "cli/CommandLine.h"
#include "cli/PlatformOption.h"

#include <QCoreApplication>
#include <QStringList>

#include <iostream>
#include <string>
#include <vector>

namespace {

// The program's own arguments: Qt's -platform option is Qt's to read.
QStringList programArguments(int argc, char* argv[])
{
    QStringList arguments = quartet::CommandLine::argumentsOf(argc, argv);
    if (const auto option = quartet::findPlatformOption(std::vector<std::string>(argv, argv + argc)))
        arguments.remove(option->index, 2);
    return arguments;
}

int runCommandLine(int argc, char* argv[], const QStringList& arguments)
{
    const QCoreApplication app(argc, argv);
    quartet::installQtTranslations();
    // Qt words its usage lines and parse errors in the translation installed
    // when it reads the arguments, so they are read again now that there is
    // an application to install Qt's Chinese texts in.
    const quartet::CommandLine commandLine(arguments);
    return quartet::printToUser([&commandLine] { return commandLine.run(std::cout, std::cerr); });
}

}  // namespace

int main(int argc, char* argv[])
{
    quartet::prepareProcess();

    // Read before any window system is touched: the commands that print
    // instead of opening the window need no display.
    const QStringList arguments = programArguments(argc, argv);
    if (quartet::CommandLine(arguments).opensWindow())
        return quartet::runWindow(argc, argv);
    return runCommandLine(argc, argv, arguments);
}
