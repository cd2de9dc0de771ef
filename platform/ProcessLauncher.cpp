// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProcessLauncher.h"

#ifndef _WIN32
#include "platform/DesktopEntries.h"
#endif

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace quartet {

bool ProcessLauncher::startDetached(const std::string& commandLine, int windowStyle)
{
    // A zero byte would cut the command short on its way to the system.
    if (windowStyle != kWindowStyleNormalFocus || commandLine.find('\0') != std::string::npos)
        return false;
#ifndef _WIN32
    // A desktop entry is started the way the desktop starts it.
    if (isDesktopEntryFile(commandLine))
        return launchDesktopEntry(commandLine);
#endif
    const QString command = QString::fromLocal8Bit(commandLine.data(), static_cast<qsizetype>(commandLine.size()));
    if (QFileInfo(command).isFile())
        return QProcess::startDetached(command, {});

    QStringList arguments = QProcess::splitCommand(command);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments);
}

}  // namespace quartet
