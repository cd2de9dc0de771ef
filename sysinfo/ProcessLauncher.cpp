// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/ProcessLauncher.h"

#ifndef _WIN32
#include "sysinfo/DesktopEntries.h"
#endif

#include <QFileInfo>
#include <QProcess>
#include <QString>

namespace quartet {

bool ProcessLauncher::startDetached(const std::string& commandLine, int windowStyle)
{
    // A zero byte would cut the command short on its way to the system.
    if (windowStyle != kWindowStyleNormalFocus || commandLine.find('\0') != std::string::npos)
        return false;
    // The command line names one file, blanks and all, as a registered tool
    // path does on Windows. Only an absolute path to a file that is there is
    // started, and exactly that file: no search along PATH, no arguments.
    const QString program = QString::fromLocal8Bit(commandLine.data(), static_cast<qsizetype>(commandLine.size()));
    const QFileInfo file(program);
    if (!file.isAbsolute() || !file.isFile())
        return false;
#ifndef _WIN32
    // A desktop entry is started the way the desktop starts it.
    if (isDesktopEntryFile(commandLine))
        return launchDesktopEntry(commandLine);
#endif
    return QProcess::startDetached(program, {});
}

}  // namespace quartet
