// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/IniSettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#ifdef Q_OS_UNIX
#include "tests/support/EnvironmentOverride.h"
#include "tests/support/FileSizeLimit.h"

#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quartet {
namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class IniSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString appDir() const { return m_dir.filePath("Quartet"); }
    QString iniPath() const { return m_dir.filePath("Quartet/Quartet.ini"); }

    void writeIni(const QByteArray& text)
    {
        ASSERT_TRUE(QDir().mkpath(appDir()));
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(text), text.size());
    }

    QString getMaxVal(const QString& defaultText = "none")
    {
        return m_store.GetSetting("Quartet", "General", "MaxVal", defaultText);
    }
    void saveMaxVal(const QString& text) { m_store.SaveSetting("Quartet", "General", "MaxVal", text); }

    QTemporaryDir m_dir;
    IniSettingsStore m_store{m_dir.path()};
};

TEST_F(IniSettingsStoreTest, SaveWritesAGeneralSectionAUserCanRead)
{
    saveMaxVal("13");
    EXPECT_EQ(readFile(iniPath()), "[General]\nMaxVal=13\n");
    EXPECT_EQ(getMaxVal(), "13");
    EXPECT_EQ(m_store.filePath("Quartet"), iniPath());

    m_store.SaveSetting("Quartet", "Window", "Left", "5");
    EXPECT_EQ(readFile(iniPath()), "[General]\nMaxVal=13\n\n[Window]\nLeft=5\n");
}

// MaxVal=12 after a comment that makes the file exactly size bytes long.
QByteArray twelveInAFileOf(qsizetype size)
{
    const QByteArray setting = "[General]\nMaxVal=12\n";
    return ';' + QByteArray(size - setting.size() - 2, 'x') + '\n' + setting;
}

TEST_F(IniSettingsStoreTest, HandWrittenFilesAreReadAsWritten)
{
    const struct {
        QByteArray file;
        QString expected;
    } cases[] = {
        {"[General]\nMaxVal=200\n", "200"},
        {"MaxVal=7\n", "7"},
        {"[General]\nMaxVal=abc\n", "abc"},
        {"[General]\nMaxVal=\n", ""},
        {"[General]\nMaxVal=1,2\n", "1,2"},
        {"[General]\nOther=3\n", "none"},
        {"[Window]\nMaxVal=3\n", "none"},
        {"", "none"},
        {twelveInAFileOf(1024 * 1024), "12"},
        {twelveInAFileOf(1024 * 1024 + 1), "none"},
        // A value that QSettings would decode into another type, written
        // plainly, quoted, escaped, as a list item, after a line break or in
        // another section, makes the file a damaged one, which holds nothing.
        {"[General]\nMaxVal=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\f)\n", "none"},
        {"[General]\nMaxVal=\"@ByteArray(12)\"\n", "none"},
        {"[General]\nMaxVal=\\x40Variant(\\0\\0\\0\\x2\\0\\0\\0\\f)\n", "none"},
        {"[General]\nMaxVal=1, @ByteArray(12)\n", "none"},
        {"[General]\nMaxVal=\\\n@ByteArray(12)\n", "none"},
        {"[General]\nMaxVal=12\n[Other]\nX=@Rect(1 2 3 4)\n", "none"},
        {"; by me@home\n[General]\nMaxVal=12\nMail=me@home\n", "12"},
        {"[General]\nMaxVal=@@12\n", "@12"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        IniSettingsStore store(dir.path());
        ASSERT_TRUE(QDir().mkpath(dir.filePath("Quartet")));
        QFile file(dir.filePath("Quartet/Quartet.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.file);
        file.close();
        EXPECT_EQ(store.GetSetting("Quartet", "General", "MaxVal", "none"), c.expected) << c.file.left(80).constData();
    }
}

TEST_F(IniSettingsStoreTest, MissingFileGivesTheDefaultAndIsNotCreated)
{
    EXPECT_EQ(getMaxVal("9"), "9");
    EXPECT_EQ(getMaxVal("13"), "13");
    EXPECT_FALSE(QFileInfo::exists(appDir()));
}

TEST_F(IniSettingsStoreTest, SaveOverADamagedFileRepairsIt)
{
    writeIni("[General]\nMaxV\nOther=1\n[Broken\nx=2\n");
    saveMaxVal("20");
    EXPECT_EQ(getMaxVal(), "20");
    EXPECT_TRUE(readFile(iniPath()).startsWith("[General]\nMaxVal=20\n"));
}

TEST_F(IniSettingsStoreTest, SaveThrowsWhenTheDirectoryCannotBeMade)
{
    // A plain file where the application's directory belongs stops even root.
    QFile blocker(appDir());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("x");
    blocker.close();

    EXPECT_THROW(saveMaxVal("13"), SettingsError);
    EXPECT_EQ(readFile(appDir()), "x");
    EXPECT_EQ(getMaxVal(), "none");
}

TEST_F(IniSettingsStoreTest, SaveNeverReplacesAFileItCannotRead)
{
    // A directory where the file belongs cannot be read, even by root.
    ASSERT_TRUE(QDir().mkpath(iniPath()));
    EXPECT_EQ(getMaxVal(), "none");
    EXPECT_THROW(saveMaxVal("13"), SettingsError);
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
    EXPECT_EQ(QDir(appDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"Quartet.ini"});
}

TEST_F(IniSettingsStoreTest, SaveDatesTheNewFileAfterTheOldOne)
{
    // QSettings reads a file again only when its size or time changed; two
    // saves of equal length must never leave the same time behind, even when
    // the old file is dated ahead of the clock.
    writeIni("[General]\nMaxVal=10\n");
    const QDateTime ahead = QDateTime::currentDateTime().addSecs(600);
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(ahead, QFileDevice::FileModificationTime));
    }
    ASSERT_EQ(getMaxVal(), "10");
    saveMaxVal("11");
    EXPECT_GT(QFileInfo(iniPath()).lastModified(), ahead);
    EXPECT_EQ(getMaxVal(), "11");
    for (int i = 0; i < 20; ++i) {
        const QString text = QString::number(10 + i % 2);
        saveMaxVal(text);
        ASSERT_EQ(getMaxVal(), text) << "save " << i;
    }
}

#ifdef Q_OS_UNIX

TEST_F(IniSettingsStoreTest, SaveKeepsTheFilePermissions)
{
    writeIni("[General]\nMaxVal=5\n");
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(iniPath(), permissions));
    saveMaxVal("6");
    EXPECT_EQ(QFile::permissions(iniPath()) & 0x7077, permissions);
}

TEST_F(IniSettingsStoreTest, SaveReplacesTheFileInsteadOfRewritingIt)
{
    saveMaxVal("13");
    struct stat before = {};
    ASSERT_EQ(stat(QFile::encodeName(iniPath()).constData(), &before), 0);
    saveMaxVal("7");
    struct stat after = {};
    ASSERT_EQ(stat(QFile::encodeName(iniPath()).constData(), &after), 0);

    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(readFile(iniPath()), "[General]\nMaxVal=7\n");
    EXPECT_EQ(QDir(appDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"Quartet.ini"});
}

TEST_F(IniSettingsStoreTest, SaveThrowsInAReadOnlyDirectory)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories";
    ASSERT_TRUE(QDir().mkpath(appDir()));
    ASSERT_TRUE(QFile::setPermissions(appDir(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_THROW(saveMaxVal("13"), SettingsError);
    QFile::setPermissions(appDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

using test::FileSizeLimit;

TEST_F(IniSettingsStoreTest, FailedWriteKeepsTheOldFileAndValue)
{
    // With room for 150 bytes the draft takes the old file, and QSettings'
    // write of a long value is cut short without a word.
    const struct {
        QByteArray file;
        QString expected;
        rlim_t room = 4;
        QString saved = "77";
    } cases[] = {
        {"[General]\nMaxVal=5\nOther=1\n", "5"},
        {"[General]\nOther=1\n", "none"},
        {"[General]\nMaxV\n[Broken\n", "none"},
        {"[General]\nMaxVal=5\n", "5", 150, QString(200, '7')},
    };
    for (const auto& c : cases) {
        writeIni(c.file);
        {
            const FileSizeLimit limit(c.room);
            EXPECT_THROW(saveMaxVal(c.saved), SettingsError) << c.file.constData();
        }
        EXPECT_EQ(readFile(iniPath()), c.file);
        // The unwritten value must not linger where a later read finds it.
        EXPECT_EQ(getMaxVal(), c.expected) << c.file.constData();
        EXPECT_EQ(readFile(iniPath()), c.file);
        EXPECT_EQ(QDir(appDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"Quartet.ini"});
    }
}

TEST_F(IniSettingsStoreTest, AFailedSaveLeavesNothingForALaterReadToWrite)
{
    // Another writer changes the file after a failed save: later reads find
    // that writer's value, and reading writes nothing.
    const struct {
        QByteArray before;
        QByteArray changed;
        QString expected;
    } cases[] = {
        {"[General]\nMaxVal=5\n", "[General]\nMaxVal=7\nX=1\n", "7"},
        {"[General]\nMaxVal=5\n", "[General]\nX=1\n", "none"},
        {"[General]\nX=1\n", "[General]\nX=2\nMaxVal=8\n", "8"},
    };
    for (const auto& c : cases) {
        writeIni(c.before);
        {
            const FileSizeLimit limit(4);
            EXPECT_THROW(saveMaxVal("77"), SettingsError) << c.before.constData();
        }
        writeIni(c.changed);
        EXPECT_EQ(getMaxVal(), c.expected) << c.changed.constData();
        EXPECT_EQ(readFile(iniPath()), c.changed);
        saveMaxVal("20");
        EXPECT_EQ(getMaxVal(), "20");
        EXPECT_EQ(QSettings(iniPath(), QSettings::IniFormat).allKeys().contains("X"), c.changed.contains("X="));
    }
}

// What a save that was killed midway left behind goes with the next save,
// its draft or QSaveFile's new file; what a save under way uses stays, and
// so does any other file.
TEST_F(IniSettingsStoreTest, SaveRemovesTheLeftoversOfKilledSaves)
{
    ASSERT_TRUE(QDir().mkpath(appDir()));
    const struct {
        const char* name;
        bool old;
        bool kept;
    } files[] = {
        {"Quartet.ini.draft-Ab12Cd", true, false}, {"Quartet.ini.draft-Ab12Cd.lock", true, false},
        {"Quartet.ini.draft-Ef34Gh", false, true}, {"Quartet.ini.Xy12Zw", true, false},
        {"Quartet.ini.Pq34Rs", false, true},       {"Quartet.ini.bak", true, true},
        {"Quartet.ini.Xy12Z~", true, true},
    };
    QStringList kept{"Quartet.ini"};
    for (const auto& file : files) {
        QFile made(QDir(appDir()).filePath(file.name));
        ASSERT_TRUE(made.open(QIODevice::WriteOnly));
        if (file.old)
            made.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime);
        if (file.kept)
            kept.append(file.name);
    }
    saveMaxVal("6");
    kept.sort();
    EXPECT_EQ(QDir(appDir()).entryList(QDir::Files | QDir::Hidden, QDir::Name), kept);
}

// A store that is a link stays one: the file it leads to is replaced.
TEST_F(IniSettingsStoreTest, SaveThroughALinkReplacesTheFileItLeadsTo)
{
    const QString target = m_dir.filePath("elsewhere/kept.ini");
    ASSERT_TRUE(QDir().mkpath(appDir()) && QDir().mkpath(m_dir.filePath("elsewhere")));
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[General]\nMaxVal=5\nOther=1\n");
    }
    ASSERT_TRUE(QFile::link(target, iniPath()));

    saveMaxVal("6");
    EXPECT_EQ(QFileInfo(iniPath()).symLinkTarget(), target);
    EXPECT_EQ(readFile(target), "[General]\nMaxVal=6\nOther=1\n");
    EXPECT_EQ(QDir(m_dir.filePath("elsewhere")).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.ini"});
    EXPECT_EQ(QDir(appDir()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"Quartet.ini"});
}

#endif

#ifdef Q_OS_LINUX
// A save needs room in the settings folder only, not in the temporary folder.
TEST_F(IniSettingsStoreTest, SaveWorksWithoutATemporaryFolder)
{
    writeIni("[General]\nMaxVal=5\nOther=1\n");
    test::EnvironmentOverride environment;
    environment.set("TMPDIR", "/proc");  // nothing can be made there, not even by root
    saveMaxVal("6");
    EXPECT_EQ(readFile(iniPath()), "[General]\nMaxVal=6\nOther=1\n");
    EXPECT_EQ(QDir(appDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"Quartet.ini"});
}

// The XDG base-directory rules: a relative XDG_CONFIG_HOME is ignored.
TEST(IniSettingsStoreLocation, StandardDirectoryFollowsAnAbsoluteXdgConfigHome)
{
    QTemporaryDir dir;
    test::EnvironmentOverride environment;
    environment.set("HOME", QFile::encodeName(dir.filePath("home")));
    const struct {
        QString xdgConfigHome;
        QString expected;
    } cases[] = {
        {dir.filePath("config"), dir.filePath("config")},
        {"relative/config", dir.filePath("home/.config")},
        {"", dir.filePath("home/.config")},
    };
    for (const auto& c : cases) {
        environment.set("XDG_CONFIG_HOME", QFile::encodeName(c.xdgConfigHome));
        EXPECT_EQ(IniSettingsStore::standardDirectory(), c.expected) << c.xdgConfigHome.toStdString();
    }
}
#endif

}  // namespace
}  // namespace quartet
