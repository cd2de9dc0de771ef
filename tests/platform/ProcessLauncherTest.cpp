// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProcessLauncher.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

// The launches below use the programs of a POSIX system.
#ifndef _WIN32

namespace quartet {
namespace {

// The started program runs on its own; wait a while for its trace.
bool appearsSoon(const QString& path)
{
    const QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(path)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

TEST(ProcessLauncherTest, ReportsWhetherSomethingStarted)
{
    struct Case {
        const char* name;
        std::string commandLine;
        int windowStyle;
        bool started;
    };
    const std::vector<Case> cases = {
        {"a program", "/bin/true", 1, true},
        {"a program with arguments", "/bin/sh -c \"exit 0\"", 1, true},
        {"no such program", "/nonexistent/quartet-msinfo32", 1, false},
        {"empty", "", 1, false},
        {"blanks only", "   ", 1, false},
        {"zero byte inside", std::string("/bin/true\0x", 11), 1, false},
        {"another window style", "/bin/true", 0, false},
    };
    ProcessLauncher launcher;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(launcher.startDetached(c.commandLine, c.windowStyle), c.started);
    }
}

// A registered tool path is written without quotes, blanks and all.
TEST(ProcessLauncherTest, StartsAPathWithBlanksAsAWhole)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath("started");
    const QString tool = dir.filePath("system info tool");
    QFile script(tool);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\ntouch '" + marker + "'\n").toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ProcessLauncher launcher;
    EXPECT_TRUE(launcher.startDetached(tool.toStdString(), 1));
    EXPECT_TRUE(appearsSoon(marker));
}

TEST(ProcessLauncherTest, SplitsOtherCommandLines)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath("split marker");
    ProcessLauncher launcher;
    EXPECT_TRUE(launcher.startDetached(("/bin/touch \"" + marker + "\"").toStdString(), 1));
    EXPECT_TRUE(appearsSoon(marker));
}

}  // namespace
}  // namespace quartet

#endif  // _WIN32
