// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyFileSettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#ifdef Q_OS_UNIX
#include "tests/support/EnvironmentOverride.h"
#include "tests/support/FileSizeLimit.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quartet {
namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class KeyFileSettingsStoreTest : public ::testing::Test {
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
    KeyFileSettingsStore m_store{m_dir.path()};
};

TEST_F(KeyFileSettingsStoreTest, SaveWritesAGeneralSectionAUserCanRead)
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
    return '#' + QByteArray(size - setting.size() - 2, 'x') + '\n' + setting;
}

TEST_F(KeyFileSettingsStoreTest, HandWrittenFilesAreReadAsWritten)
{
    const struct {
        QByteArray file;
        QString expected;
    } cases[] = {
        {"[General]\nMaxVal=200\n", "200"},
        {"[General]\r\n  MaxVal = 7 \r\n", "7 "},
        {"\xEF\xBB\xBF[General]\nMaxVal=8\n", "8"},
        {"[General]\nMaxVal=abc\n", "abc"},
        {"[General]\nMaxVal=\n", ""},
        {"[General]\nMaxVal=5\nMaxVal=6\n", "6"},
        {"[General]\nOther=3\n", "none"},
        {"[Window]\nMaxVal=3\n", "none"},
        {"[general]\nMaxVal=3\n", "none"},
        {"", "none"},
        {twelveInAFileOf(1024 * 1024), "12"},
        {twelveInAFileOf(1024 * 1024 + 1), "none"},
        // Handed out as spelled, for the program's own strict reading.
        {"[General]\nMaxVal=@Variant(\\0\\0\\0\\x2)\n", "@Variant(\\0\\0\\0\\x2)"},
        {"[General]\nMaxVal=\\x31\n", "\\x31"},
        {"[General]\nMaxVal=\"12\"\n", "\"12\""},
        {"[General]\nMaxVal=12\nOther=@foo\n", "12"},
        // A line that GLib cannot read holds nothing; the lines around it keep
        // their values, but not the keys below a group line that is damaged.
        {"; by me\r\n[General]\r\nMaxVal=12\r\nmangled\r\n", "12"},
        {"MaxVal=5\n[General]\nMaxVal=12\n", "12"},
        {"[General]\nMaxVal=12\n\xed\xa0\x80=\xf8\n\xc3\x28\n", "12"},
        {"[General]\nMaxVal=12\n[Gen]eral]\nMaxVal=13\n", "12"},
        {QByteArray("[General]\nMaxVal=12\nMaxVal=1\0"
                    "2\n",
                    31),
         "12"},
        {"[General]\rMaxVal=12\r", "none"},
    };
    for (const auto& c : cases) {
        writeIni(c.file);
        EXPECT_EQ(getMaxVal().toStdString(), c.expected.toStdString()) << c.file.left(80).constData();
    }
}

TEST_F(KeyFileSettingsStoreTest, MissingFileGivesTheDefaultAndIsNotCreated)
{
    EXPECT_EQ(getMaxVal("9"), "9");
    EXPECT_EQ(getMaxVal("13"), "13");
    EXPECT_FALSE(QFileInfo::exists(appDir()));
}

// Other settings and comments stay; lines that GLib cannot read, and the
// earlier lines of a key set twice, go. A store that would outgrow what the
// reader takes keeps the key alone.
TEST_F(KeyFileSettingsStoreTest, ASaveWritesAFileItsReaderTakes)
{
    const struct {
        QByteArray file;
        QByteArray saved;
    } cases[] = {
        {"# mine\n[General]\nOther=1\n", "# mine\n[General]\nOther=1\nMaxVal=-32768\n"},
        {"[General]\nMaxV\nOther=1\n[Broken\nx=2\n", "[General]\nOther=1\nMaxVal=-32768\n"},
        {"[General]\nMaxVal=5\nOther=1\nMaxVal=6\n", "[General]\nMaxVal=5\nOther=1\nMaxVal=-32768\n"},
        {twelveInAFileOf(KeyFileSettingsStore::kMaxFileSize), "[General]\nMaxVal=-32768\n"},
    };
    for (const auto& c : cases) {
        writeIni(c.file);
        saveMaxVal("-32768");
        // At most the first 200 bytes, which tell a long file from a short one;
        // GLib 2.74 puts an empty line after a leading comment, 2.84 does not.
        const QByteArray saved = readFile(iniPath()).left(200).replace("\n\n", "\n");
        EXPECT_EQ(saved.toStdString(), c.saved.toStdString()) << c.file.left(80).constData();
        EXPECT_EQ(getMaxVal().toStdString(), "-32768");
    }
}

TEST_F(KeyFileSettingsStoreTest, SaveThrowsWhenTheDirectoryCannotBeMade)
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

TEST_F(KeyFileSettingsStoreTest, SaveNeverReplacesAFileItCannotRead)
{
    // A directory where the file belongs cannot be read, even by root.
    ASSERT_TRUE(QDir().mkpath(iniPath()));
    EXPECT_EQ(getMaxVal(), "none");
    EXPECT_THROW(saveMaxVal("13"), SettingsError);
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
    EXPECT_EQ(QDir(appDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"Quartet.ini"});
}

#ifdef Q_OS_UNIX

TEST_F(KeyFileSettingsStoreTest, SaveKeepsTheFilePermissions)
{
    const mode_t umaskBefore = ::umask(022);
    for (const mode_t mode : {0600, 0640, 0664}) {
        writeIni("[General]\nMaxVal=5\n");
        ASSERT_EQ(::chmod(QFile::encodeName(iniPath()).constData(), mode), 0);
        saveMaxVal("6");
        struct stat info = {};
        ASSERT_EQ(::stat(QFile::encodeName(iniPath()).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, mode);
    }
    ::umask(umaskBefore);
}

TEST_F(KeyFileSettingsStoreTest, SaveReplacesTheFileInsteadOfRewritingIt)
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

TEST_F(KeyFileSettingsStoreTest, SaveThrowsInAReadOnlyDirectory)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories";
    ASSERT_TRUE(QDir().mkpath(appDir()));
    ASSERT_TRUE(QFile::setPermissions(appDir(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_THROW(saveMaxVal("13"), SettingsError);
    QFile::setPermissions(appDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

using test::FileSizeLimit;

TEST_F(KeyFileSettingsStoreTest, FailedWriteKeepsTheOldFileAndValue)
{
    // With room for 4 bytes no store can be written; with room for 150 the
    // write of a long value is cut short. GLib removes what it wrote.
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

// A save touches the store alone, never a file beside it or beside the file
// that its link leads to, whatever their names and ages. A link stays one,
// also a link that leads nowhere yet.
TEST_F(KeyFileSettingsStoreTest, SaveLeavesEveryOtherFileAlone)
{
    const struct {
        const char* link;  // the store's link, or nullptr for a plain file
        bool targetExists;
        QStringList beside;  // made two minutes old beside the file written
    } cases[] = {
        {nullptr,
         true,
         {"Quartet.ini.backup", "Quartet.ini.tar.gz", "Quartet.ini.v1.bak", "quartet.ini.ABCDEF", "QUARTET.INI.draft-x",
          "Quartet.ini.Ab12Cd"}},
        {"../dotfiles/settings", true, {"settings.backup", "settings.tar.gz", "settings.v2.old"}},
        {"../dotfiles/*", true, {"notes.ABCDEF", "*.backup", "x"}},
        {"../dotfiles/quartet[1].ini", true, {"quartet1.ini.backup", "quartet[1].ini.Ab12Cd", "settings.backup"}},
        {"../dotfiles/new.ini", false, {"new.ini.backup", "new.ini.Ab12Cd"}},
    };
    for (const auto& c : cases) {
        QTemporaryDir root;
        KeyFileSettingsStore store(root.path());
        const QDir folder(root.filePath(c.link ? "dotfiles" : "Quartet"));
        const QString storePath = root.filePath("Quartet/Quartet.ini");
        const QString written = c.link ? folder.filePath(QFileInfo(c.link).fileName()) : storePath;
        ASSERT_TRUE(QDir().mkpath(root.filePath("Quartet")) && QDir().mkpath(folder.path()));
        if (c.link) {
            ASSERT_EQ(::symlink(c.link, QFile::encodeName(storePath).constData()), 0);
        }
        if (c.targetExists) {
            QFile file(written);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("[General]\nMaxVal=5\n");
        }
        for (const QString& name : c.beside) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_TRUE(file.write(name.toUtf8()) == name.size() && file.flush());
            file.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime);
        }
        store.SaveSetting("Quartet", "General", "MaxVal", "6");

        SCOPED_TRACE(c.link ? c.link : "plain file");
        EXPECT_EQ(readFile(written).toStdString(), "[General]\nMaxVal=6\n");
        EXPECT_EQ(QFileInfo(storePath).isSymLink(), c.link != nullptr);
        for (const QString& name : c.beside)
            EXPECT_EQ(readFile(folder.filePath(name)).toStdString(), name.toStdString());
        QStringList expected = c.beside;
        expected << QFileInfo(written).fileName();
        expected.sort();
        const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        EXPECT_EQ(folder.entryList(filter, QDir::Name).join(u'|').toStdString(), expected.join(u'|').toStdString());
    }
}

// Programs that save at once, as several windows of the program may, never
// leave a store that reads empty or half.
TEST_F(KeyFileSettingsStoreTest, ConcurrentSavesNeverLeaveAnEmptyOrHalfStore)
{
    writeIni("[General]\nMaxVal=10\nOther=1\n");
    std::vector<pid_t> writers;
    for (int writer = 0; writer < 3; ++writer) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            try {
                for (int save = 0; save < 100; ++save)
                    saveMaxVal(QString::number(10 + writer));
            } catch (...) {
                ::_exit(1);  // never back into the test runner
            }
            ::_exit(0);
        }
        ASSERT_GT(pid, 0);
        writers.push_back(pid);
    }
    QByteArray torn;  // the last read that was not a whole store
    while (!writers.empty()) {
        const QByteArray text = readFile(iniPath());
        if (text.size() != 28 || !text.startsWith("[General]\nMaxVal=1") || !text.endsWith("\nOther=1\n"))
            torn = text.isEmpty() ? "<empty>" : text;
        std::erase_if(writers, [](pid_t pid) {
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) != pid)
                return false;
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            return true;
        });
    }
    EXPECT_EQ(torn.toStdString(), "");
}

#endif

#ifdef Q_OS_LINUX
// A save needs room in the settings folder only, not in the temporary folder.
TEST_F(KeyFileSettingsStoreTest, SaveWorksWithoutATemporaryFolder)
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
TEST(KeyFileSettingsStoreLocation, StandardDirectoryFollowsAnAbsoluteXdgConfigHome)
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
        EXPECT_EQ(KeyFileSettingsStore::standardDirectory(), c.expected) << c.xdgConfigHome.toStdString();
    }
}
#endif

}  // namespace
}  // namespace quartet
