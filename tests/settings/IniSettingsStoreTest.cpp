#include "settings/IniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
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

    QString getMaxVal(const QString& defaultText = "none") { return m_store.GetSetting("Quartet", "General", "MaxVal", defaultText); }
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
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        IniSettingsStore store(dir.path());
        ASSERT_TRUE(QDir().mkpath(dir.filePath("Quartet")));
        QFile file(dir.filePath("Quartet/Quartet.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.file);
        file.close();
        EXPECT_EQ(store.GetSetting("Quartet", "General", "MaxVal", "none"), c.expected) << c.file.constData();
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

#ifdef Q_OS_UNIX

TEST_F(IniSettingsStoreTest, SaveReplacesTheFileInsteadOfRewritingIt)
{
    saveMaxVal("13");
    struct stat before {};
    ASSERT_EQ(stat(QFile::encodeName(iniPath()).constData(), &before), 0);
    saveMaxVal("7");
    struct stat after {};
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

// Limits the size of files this process may write, which stops writes even
// for root; the write fails instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(IniSettingsStoreTest, FailedWriteKeepsTheOldFileAndValue)
{
    const struct {
        QByteArray file;
        QString expected;
    } cases[] = {
        {"[General]\nMaxVal=5\nOther=1\n", "5"},
        {"[General]\nOther=1\n", "none"},
        {"[General]\nMaxV\n[Broken\n", "none"},
    };
    for (const auto& c : cases) {
        writeIni(c.file);
        {
            const FileSizeLimit limit(4);
            EXPECT_THROW(saveMaxVal("77"), SettingsError) << c.file.constData();
        }
        EXPECT_EQ(readFile(iniPath()), c.file);
        // The unwritten value must not linger where a later read finds it.
        EXPECT_EQ(getMaxVal(), c.expected) << c.file.constData();
        EXPECT_EQ(readFile(iniPath()), c.file);
        EXPECT_EQ(QDir(appDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"Quartet.ini"});
    }
}

#endif

#ifdef Q_OS_LINUX
TEST(IniSettingsStoreLocation, StandardDirectoryFollowsXdgConfigHome)
{
    QTemporaryDir dir;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    const QString found = IniSettingsStore::standardDirectory();
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
    EXPECT_EQ(found, dir.path());
}
#endif

}  // namespace
}  // namespace quartet
