// SPDX-License-Identifier: GPL-3.0-or-later
// The main window over a real settings file that a disk or a user has
// damaged: it always opens, with a known largest card value, and the
// settings command either replaces the file whole or says that it could not.

#include "app/ApplicationSetup.h"
#include "settings/CardRangeOption.h"
#include "settings/KeyFileSettingsStore.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/FixedRandomSource.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/ScriptedInputBox.h"
#include "tests/support/UnusualFiles.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quartet::test {
namespace {

const QString kNotSavedThirty = QString::fromUtf8("最大牌值未能保存。\n新的值 30 只在本次运行中有效。");

// What can be seen of the settings file from outside, without reading it.
struct FileState {
    bool exists = false;
    bool isDir = false;
    qint64 size = 0;
    ino_t inode = 0;
    QDateTime modified;

    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& path)
{
    const QFileInfo info(path);
    FileState state{info.exists(), info.isDir(), info.size(), 0, info.lastModified()};
    struct stat st = {};
    if (stat(QFile::encodeName(path).constData(), &st) == 0)
        state.inode = st.st_ino;
    return state;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray randomBytes(std::size_t count)
{
    std::mt19937 random(20240607);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i)
        bytes.append(static_cast<char>(random() & 0xFF));
    return bytes;
}

QByteArray tenMegabytesThenValue()
{
    QByteArray bytes;
    const QByteArray line = ';' + QByteArray(79, 'x') + '\n';
    while (bytes.size() < 10 * 1024 * 1024)
        bytes += line;
    return bytes + "[General]\nMaxVal=12\n";
}

// Qt's settings text for a list inside a list, depth times over, which Qt
// decodes one level of the stack per list.
QByteArray nestedLists(int depth)
{
    QByteArray lists = "@Variant(";
    for (int level = 0; level < depth; ++level)
        lists += "\\0\\0\\0\\t\\0\\0\\0\\x1";
    return lists + "\\0\\0\\0\\t\\0\\0\\0\\0)";
}

// A tmpfs of its own at path while the object lives, so that a test can fill
// a disk; only where this process may mount one (root, outside a container
// that forbids it).
class TinyDisk {
public:
    TinyDisk(const QString& path, const char* size) : m_path(QFile::encodeName(path))
    {
        const QByteArray options = QByteArray("mode=0700,size=") + size;
        m_mounted = ::mount("tmpfs", m_path.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) == 0;
    }
    ~TinyDisk()
    {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool mounted() const { return m_mounted; }

private:
    QByteArray m_path;
    bool m_mounted = false;
};

// An input box that runs an action each time before it answers.
class HookedInputBox final : public InputBox {
public:
    HookedInputBox(QStringList answers, std::function<void(int shown)> beforeAnswer)
        : m_script(std::move(answers)), m_beforeAnswer(std::move(beforeAnswer))
    {
    }

    QString ask(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        m_beforeAnswer(static_cast<int>(m_script.defaults.size()));
        return m_script.ask(prompt, title, defaultText);
    }

    const QStringList& defaults() const { return m_script.defaults; }

private:
    ScriptedInputBox m_script;
    std::function<void(int)> m_beforeAnswer;
};

// A damage done to the store below a fresh folder, the largest card value
// the window opens with, and the value the settings command shows first. In
// the command the player enters 20 and, if the box comes back, 30.
struct DamageCase {
    const char* name;
    std::function<QString(const QDir& root)> damage;  // gives the store's folder
    std::int16_t openingMaxVal;
    const char* firstDefault;
    bool saveWorks;
    bool diskFull = false;  // the command runs with no room to write
};

// The settings file below root holds bytes.
std::function<QString(const QDir&)> damagedFile(const QByteArray& bytes)
{
    return [bytes](const QDir& root) {
        writeFile(root.filePath("Quartet/Quartet.ini"), bytes);
        return root.path();
    };
}

// Something else made where the settings file belongs.
std::function<QString(const QDir&)> inPlaceOfTheFile(void (*make)(const std::filesystem::path& file))
{
    return [make](const QDir& root) {
        EXPECT_TRUE(root.mkpath("Quartet"));
        make(QFile::encodeName(root.filePath("Quartet/Quartet.ini")).toStdString());
        return root.path();
    };
}

// The same file, with the file or its folder given the permissions.
std::function<QString(const QDir&)> lockedFile(const char* relativePath, QFile::Permissions permissions)
{
    return [relativePath, permissions](const QDir& root) {
        writeFile(root.filePath("Quartet/Quartet.ini"), "[General]\nMaxVal=12\n");
        EXPECT_TRUE(QFile::setPermissions(root.filePath(relativePath), permissions));
        return root.path();
    };
}

class DamagedSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { prepareApplication(); }

    // Starts the program over the store in storeDirectory, as a player would.
    static std::unique_ptr<frmMain> start(const QString& storeDirectory, std::unique_ptr<InputBox> inputBox)
    {
        auto window =
            std::make_unique<frmMain>(frmMain::Services{std::make_unique<KeyFileSettingsStore>(storeDirectory),
                                                        std::move(inputBox), std::make_unique<FixedRandomSource>()});
        window->show();
        return window;
    }

    static std::unique_ptr<frmMain> start(const QString& storeDirectory, QStringList answers,
                                          ScriptedInputBox** inputBox = nullptr)
    {
        auto box = std::make_unique<ScriptedInputBox>(std::move(answers));
        if (inputBox)
            *inputBox = box.get();
        return start(storeDirectory, std::move(box));
    }

    // The settings command from its menu item, answering any message box.
    static SeenMessageBox chooseSettings(frmMain& window)
    {
        QAction* option = window.findChild<QAction*>(QStringLiteral("mnuOption"));
        if (!option) {
            ADD_FAILURE() << "no settings command";
            return {};
        }
        return answerMessageBox([option] { option->trigger(); });
    }

    static void run(const DamageCase& c)
    {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QString storeDirectory = c.damage(QDir(root.path()));
        const QString iniPath = KeyFileSettingsStore(storeDirectory).filePath(QStringLiteral("Quartet"));
        const FileState before = stateOf(iniPath);

        ScriptedInputBox* inputBox = nullptr;
        auto window = start(storeDirectory, {"20", "30"}, &inputBox);
        EXPECT_EQ(window->maxVal(), c.openingMaxVal) << "at start";
        EXPECT_EQ(stateOf(iniPath), before) << "the start wrote to the store";

        SeenMessageBox seen;
        if (c.diskFull) {
            const FileSizeLimit noRoom(4);
            seen = chooseSettings(*window);
        } else {
            seen = chooseSettings(*window);
        }

        if (c.saveWorks) {
            EXPECT_FALSE(seen.shown) << seen.text.toStdString();
            EXPECT_EQ(inputBox->defaults, QStringList{c.firstDefault});
            EXPECT_EQ(window->maxVal(), 20);
            // Replaced whole: a new file whose last MaxVal line, the one read, is
            // the new value; nothing left beside it.
            const FileState after = stateOf(iniPath);
            EXPECT_TRUE(after.exists && !after.isDir);
            if (before.exists) {
                EXPECT_NE(after.inode, before.inode);
            }
            const QByteArray text = readAll(iniPath);
            EXPECT_TRUE(text.startsWith("[General]\n")) << text.left(80).toStdString();
            EXPECT_EQ(text.mid(text.lastIndexOf("\nMaxVal=") + 1).split('\n').first(), "MaxVal=20")
                << text.left(80).toStdString();
            EXPECT_EQ(QDir(QFileInfo(iniPath).absolutePath())
                          .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                      QStringList{"Quartet.ini"});
        } else {
            // The box came back once, then the player was told; 30 stays for this run.
            EXPECT_EQ(inputBox->defaults, QStringList({c.firstDefault, "20"}));
            EXPECT_TRUE(seen.shown);
            EXPECT_EQ(seen.title, "Quartet");
            EXPECT_EQ(seen.text, kNotSavedThirty);
            EXPECT_EQ(window->maxVal(), 30);
            EXPECT_EQ(stateOf(iniPath), before) << "a failed save changed the store";
        }
        window.reset();

        // The next start reads what the store now holds.
        EXPECT_EQ(start(storeDirectory, QStringList())->maxVal(), c.saveWorks ? 20 : c.openingMaxVal)
            << "at the next start";

        // Give the temporary folder back its permissions, so that it can go.
        QFile::setPermissions(root.filePath("Quartet"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(root.filePath("Quartet/Quartet.ini"), QFile::ReadOwner | QFile::WriteOwner);
    }
};

TEST_F(DamagedSettingsTest, TheWindowOpensAndTheCommandRepairsTheFileOrSaysItCannot)
{
    const DamageCase cases[] = {
        {"empty file", damagedFile(""), 9, "13", true},
        {"truncated in the value", damagedFile("[General]\nMaxVal=1"), 1, "1", true},
        {"truncated in the key", damagedFile("[General]\nMaxV"), 9, "13", true},
        {"truncated in the section name", damagedFile("[Gene"), 9, "13", true},
        {"random bytes", damagedFile(randomBytes(64 * 1024)), 9, "13", true},
        // A stored text that is no number: the command keeps the value it has.
        {"invalid UTF-8 in the value",
         damagedFile("[General]\nMaxVal=\xff\xfe"
                     "12\n"),
         9, "9", true},
        {"invalid UTF-8 around the value", damagedFile("\xc3\x28\xa0\n[General]\nMaxVal=12\n\xed\xa0\x80=\xf8\n"), 12,
         "12", true},
        {"MaxVal twice, the later line wins", damagedFile("[General]\nMaxVal=5\nMaxVal=6\n"), 6, "6", true},
        // Written by hand or by another build: any 16-bit number counts.
        {"a value above what the player may choose", damagedFile("[General]\nMaxVal=200\n"), 200, "200", true},
        {"trailing garbage", damagedFile("[General]\nMaxVal=12abc\n"), 9, "9", true},
        // Larger than any store the program writes: no value, and a save replaces it.
        {"10 MB file", damagedFile(tenMegabytesThenValue()), 9, "13", true},
        {"1 GB file", inPlaceOfTheFile([](const std::filesystem::path& file) { sparseFile(file, 1ull << 30); }), 9,
         "13", true},
        // Neither read nor replaced; the start does not wait for a writer.
        {"a named pipe", inPlaceOfTheFile([](const std::filesystem::path& file) { namedPipe(file); }), 9, "13", false},
        {"a link to an endless device",
         inPlaceOfTheFile([](const std::filesystem::path& file) { symlink("/dev/zero", file); }), 9, "13", false},
        // A file that cannot be read holds no value, and is never replaced.
        {"a directory in place of the file",
         [](const QDir& root) {
             EXPECT_TRUE(root.mkpath("Quartet/Quartet.ini"));
             return root.path();
         },
         9, "13", false},
        // The store's folder would lie below a plain file, which stops even root.
        {"a folder that cannot be made",
         [](const QDir& root) {
             writeFile(root.filePath("blocker"), "x");
             return root.filePath("blocker/config");
         },
         9, "13", false},
        {"a full disk", damagedFile("[General]\nMaxVal=12\n"), 12, "12", false, true},
        // Texts that a settings library would decode, here as deep as the
        // stack: no number in MaxVal, and nothing at all under another key.
        {"MaxVal in lists nested 30,000 deep", damagedFile("[General]\nMaxVal=" + nestedLists(30000) + '\n'), 9, "9",
         true},
        {"another key in lists nested 30,000 deep",
         damagedFile("[General]\nMaxVal=12\n\n[Other]\nX=" + nestedLists(30000) + '\n'), 12, "12", true},
        {"MaxVal=@foo", damagedFile("[General]\nMaxVal=@foo\n"), 9, "9", true},
        {"MaxVal=12 beside Other=@foo", damagedFile("[General]\nMaxVal=12\nOther=@foo\n"), 12, "12", true},
    };
    for (const DamageCase& c : cases)
        run(c);
}

// A disk of 16 KiB holding the store and a filler. With a page left the
// new store fits beside the old one; with none, the store stays as it was.
TEST_F(DamagedSettingsTest, AnAlmostFullDiskKeepsTheStoreOrSavesAWholeOne)
{
    const struct {
        const char* name;
        qsizetype filler;
        bool saveWorks;
    } disks[] = {{"4 KiB left", 8192, true}, {"nothing left", 12288, false}};
    for (const auto& c : disks) {
        QTemporaryDir disk;
        const TinyDisk tmpfs(disk.path(), "16k");
        if (!tmpfs.mounted())
            GTEST_SKIP() << "no tmpfs can be mounted here";
        run({c.name,
             [&disk, &c](const QDir&) {
                 writeFile(disk.filePath("Quartet/Quartet.ini"), "[General]\nMaxVal=12\n");
                 writeFile(disk.filePath("filler"), QByteArray(c.filler, 'x'));
                 return disk.path();
             },
             12, "12", c.saveWorks});
    }
}

TEST_F(DamagedSettingsTest, FilesAndFoldersWithoutPermissions)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads and writes regardless of permissions";
    const DamageCase cases[] = {
        {"a file without read permission", lockedFile("Quartet/Quartet.ini", {}), 9, "13", false},
        {"a file without write permission", lockedFile("Quartet/Quartet.ini", QFile::ReadOwner), 12, "12", false},
        {"a folder without write permission", lockedFile("Quartet", QFile::ReadOwner | QFile::ExeOwner), 12, "12",
         false},
    };
    for (const DamageCase& c : cases)
        run(c);
}

TEST_F(DamagedSettingsTest, ASaveThatFailsOnceIsTriedAgainThroughTheInputBox)
{
    QTemporaryDir root;
    writeFile(root.filePath("Quartet/Quartet.ini"), "[General]\nMaxVal=12\n");
    // The disk is full until the player answers the box the second time.
    auto noRoom = std::make_unique<FileSizeLimit>(4);
    auto box = std::make_unique<HookedInputBox>(QStringList{"20", "30"}, [&noRoom](int shown) {
        if (shown == 1)
            noRoom.reset();
    });
    HookedInputBox* inputBox = box.get();
    auto window = start(root.path(), std::move(box));
    const SeenMessageBox seen = chooseSettings(*window);
    noRoom.reset();

    EXPECT_FALSE(seen.shown) << seen.text.toStdString();
    EXPECT_EQ(inputBox->defaults(), QStringList({"12", "20"}));
    EXPECT_EQ(window->maxVal(), 30);
    EXPECT_EQ(readAll(root.filePath("Quartet/Quartet.ini")), "[General]\nMaxVal=30\n");
}

TEST_F(DamagedSettingsTest, AValueThatFailedToSaveNeverReachesTheStoreLater)
{
    // After the failed command another writer stores 7: the next start takes
    // 7, writes nothing, and the next command starts from 7.
    QTemporaryDir root;
    const QString iniPath = root.filePath("Quartet/Quartet.ini");
    writeFile(iniPath, "[General]\nMaxVal=12\n");
    {
        auto window = start(root.path(), {"20", "30"});
        const FileSizeLimit noRoom(4);
        EXPECT_TRUE(chooseSettings(*window).shown);
        EXPECT_EQ(window->maxVal(), 30);
    }
    EXPECT_EQ(readAll(iniPath), "[General]\nMaxVal=12\n");

    writeFile(iniPath, "[General]\nMaxVal=7\nOther=1\n");
    ScriptedInputBox* inputBox = nullptr;
    auto window = start(root.path(), {""}, &inputBox);
    EXPECT_EQ(window->maxVal(), 7);
    EXPECT_EQ(readAll(iniPath), "[General]\nMaxVal=7\nOther=1\n");

    EXPECT_FALSE(chooseSettings(*window).shown);
    EXPECT_EQ(inputBox->defaults, QStringList{"7"});
    EXPECT_EQ(readAll(iniPath), "[General]\nMaxVal=7\nOther=1\n");
}

}  // namespace
}  // namespace quartet::test
