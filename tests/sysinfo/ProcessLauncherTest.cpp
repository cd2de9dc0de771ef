// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/ProcessLauncher.h"

#include "tests/support/EnvironmentOverride.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

namespace quartet {
namespace {

// The recorder is a shell script on Linux and a batch file, which cmd.exe
// runs, on Windows; there it logs its first argument, not their number.
#ifdef _WIN32
constexpr char kScript[] = ".cmd";
constexpr char kNoArguments[] = "";
constexpr char kPathSeparator = ';';
QByteArray recorderScript(const QString& log)
{
    return ("@echo %~f0^|%~1>>\"" + QDir::toNativeSeparators(log) + "\"\r\n").toUtf8();
}
#else
constexpr char kScript[] = "";
constexpr char kNoArguments[] = "0";
constexpr char kPathSeparator = ':';
QByteArray recorderScript(const QString& log)
{
    return ("#!/bin/sh\nprintf '%s|%s\\n' \"$0\" \"$#\" >> '" + log + "'\n").toUtf8();
}
#endif

// A program that writes one line to a log for every start: the path it was
// started as and the number of its arguments.
class Recorder {
public:
    explicit Recorder(const QString& log) : m_log(log) {}

    // A copy of the recorder at path, made executable.
    QString placeAt(const QString& path) const
    {
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(recorderScript(m_log));
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    // The log's lines once it holds count of them; fewer if none come in 10 s.
    QStringList lines(int count) const
    {
        const QDeadlineTimer deadline(10000);
        for (;;) {
            QFile file(m_log);
            const QStringList written = file.open(QIODevice::ReadOnly)
                ? QString::fromUtf8(file.readAll()).remove(u'\r').split(u'\n', Qt::SkipEmptyParts)
                : QStringList();
            if (written.size() >= count || deadline.hasExpired())
                return written;
            QThread::msleep(20);
        }
    }

private:
    QString m_log;
};

// Exactly the absolute file named is started, with no arguments; nothing
// else is looked up or split off.
TEST(ProcessLauncherTest, StartsExactlyTheFileThatIsThere)
{
    QTemporaryDir dir;
    const Recorder recorder(dir.filePath("log"));
    const QString tool = recorder.placeAt(dir.filePath("with space/tool prog") + kScript);
    recorder.placeAt(dir.filePath("with") + kScript);
    recorder.placeAt(dir.filePath("bin/quartet-recorder") + kScript);
    test::EnvironmentOverride environment;
    environment.set(
        "PATH", QFile::encodeName(QDir::toNativeSeparators(dir.filePath("bin"))) + kPathSeparator + qgetenv("PATH"));
    const QString previousFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));

    struct Case {
        const char* name;
        std::string commandLine;
        int windowStyle;
    };
    const std::vector<Case> refused = {
        {"a program on PATH", "quartet-recorder", 1},
        {"a relative path to a file that is there", std::string("with space/tool prog") + kScript, 1},
        {"a missing file whose first word is a program", dir.filePath("with space/missing prog").toStdString(), 1},
        {"a program with arguments", dir.filePath("with").toStdString() + " -c x", 1},
        {"a folder", dir.path().toStdString(), 1},
        {"empty", "", 1},
        {"zero byte inside", tool.toStdString() + std::string("\0x", 2), 1},
        {"another window style", tool.toStdString(), 0},
    };
    ProcessLauncher launcher;
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(launcher.startDetached(c.commandLine, c.windowStyle));
    }
    EXPECT_TRUE(launcher.startDetached(tool.toStdString(), 1));
    QDir::setCurrent(previousFolder);

    EXPECT_EQ(recorder.lines(1).join(u'\n').toStdString(),
              (QDir::toNativeSeparators(tool) + "|" + kNoArguments).toStdString());
}

}  // namespace
}  // namespace quartet
