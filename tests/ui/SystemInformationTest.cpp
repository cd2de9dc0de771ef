// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/EnvironmentOverride.h"
#include "tests/support/MessageBoxes.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/frmAbout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quartet::test {
namespace {

// A desktop entry for a case: the folder it is written to, its file name and
// the lines after Type (and Name=Tool, unless they name it). @TOOL@ stands for the marker tool, @BROKEN@
// for a script whose interpreter is missing, @PIPE@ for a named pipe with
// the permission to run it. A size pads the file with a comment to exactly
// that many bytes.
struct EntryFile {
    const char* folder;
    const char* name;
    std::string lines;
    qsizetype size = 0;
};

// A session bus that takes every connection and hangs up without a word,
// counting them: whoever waits on the bus while the window should answer
// shows up here, and nothing waits for long.
class SilentBus {
public:
    explicit SilentBus(const QString& path) : m_socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        EXPECT_LT(name.size(), static_cast<qsizetype>(sizeof address.sun_path));
        std::copy(name.begin(), name.begin() + std::min<qsizetype>(name.size(), sizeof address.sun_path - 1),
                  address.sun_path);
        EXPECT_EQ(::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_socket, 16), 0);
        m_thread = std::thread([this] {
            for (int connection; (connection = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
                ++m_connections;
                ::close(connection);
            }
        });
    }
    ~SilentBus()
    {
        ::shutdown(m_socket, SHUT_RDWR);  // ends the accept above
        m_thread.join();
        ::close(m_socket);
    }
    SilentBus(const SilentBus&) = delete;
    SilentBus& operator=(const SilentBus&) = delete;

    int connections() const { return m_connections; }

private:
    int m_socket;
    std::atomic<int> m_connections = 0;
    std::thread m_thread;
};

// A desktop of its own in a temporary folder: the user's and the system's
// XDG data folders, a session bus that never answers, and a marker tool,
// "marker tool", that writes its arguments into a file, one a line, to show
// that it was started.
class Desktop {
public:
    Desktop()
    {
        m_environment.set("XDG_DATA_HOME", path("user").toLocal8Bit());
        m_environment.set("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + path("bus")).toLocal8Bit());
        write("marker tool",
              "#!/bin/sh\nprintf '%s\\n' \"$@\" >'" + path("started.part") + "' && mv '" + path("started.part") + "' '"
                  + path("started") + "'\n");
        write("broken tool", QByteArray("#!/nonexistent/interpreter\n"));
        ::mkfifo(QFile::encodeName(path("pipe tool")).constData(), 0600);
        for (const char* tool : {"marker tool", "broken tool", "pipe tool"})
            QFile(path(tool)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    const SilentBus& bus() const { return m_bus; }

    // Empties the data folders and removes the marker;
    // the system's data folders are the given number of missing ones, then
    // the one the cases write to.
    void reset(const char* currentDesktop, int missingDataDirs)
    {
        m_environment.set("XDG_CURRENT_DESKTOP", currentDesktop);
        // One-letter names, as many as the largest variable a shell passes on holds.
        QByteArray dataDirs;
        for (int i = 0; i < missingDataDirs; ++i)
            dataDirs += '/' + QByteArray(1, static_cast<char>('a' + i % 26)) + ':';
        m_environment.set("XDG_DATA_DIRS", dataDirs + path("system").toLocal8Bit());
        for (const char* folder : {"user", "system"})
            QDir(path(folder)).removeRecursively();
        QFile::remove(path("started"));
    }

    void writeEntry(const EntryFile& entry)
    {
        const QString file = QString(entry.folder) + '/' + entry.name;
        QDir(m_root.path()).mkpath(entry.folder);
        QString lines = QString::fromStdString(entry.lines);
        for (const auto& [mark, tool] :
             {std::pair{"@TOOL@", "marker tool"}, {"@BROKEN@", "broken tool"}, {"@PIPE@", "pipe tool"}})
            lines.replace(mark, '"' + path(tool) + '"');
        const QString name = lines.contains(QLatin1String("Name=")) ? QString() : QStringLiteral("Name=Tool\n");
        QByteArray text = ("[Desktop Entry]\nType=Application\n" + name + lines).toUtf8();
        if (entry.size > 0)
            text += '#' + QByteArray(entry.size - text.size() - 2, 'x') + '\n';
        write(file, text);
    }

    // The marker tool's arguments, once it has run; empty if it does not.
    QStringList startedWith() const
    {
        QFile marker(path("started"));
        if (!QTest::qWaitFor([&marker] { return marker.exists(); }, 10000) || !marker.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(marker.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    bool started() const { return QFile::exists(path("started")); }

private:
    QString path(const QString& name) const { return m_root.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(bytes);
    }
    void write(const QString& name, const QString& text) const { write(name, text.toUtf8()); }

    QTemporaryDir m_root;
    EnvironmentOverride m_environment;
    SilentBus m_bus{path("bus")};
};

struct SystemInfoCase {
    std::string name;
    const char* currentDesktop;
    std::vector<EntryFile> entries;
    QStringList started;  // the marker tool's arguments; empty: the message
    int missingDataDirs = 0;
};

const EntryFile kHardInfo{"system/applications", "hardinfo.desktop", "Exec=@TOOL@ hardinfo\n"};
const EntryFile kInfoCenter{"system/applications", "org.kde.kinfocenter.desktop", "Exec=@TOOL@ kinfocenter\n"};
const EntryFile kHiddenByUser{"user/applications", "hardinfo.desktop", "Hidden=true\n"};

// The user's hardinfo entry with this line.
EntryFile userEntry(const std::string& line)
{
    return {"user/applications", "hardinfo.desktop", line + "\n"};
}

class SystemInformationTest : public MainWindowTest {};

// Each press looks at the desktop afresh: the cases share one dialog.
TEST_F(SystemInformationTest, StartsTheDesktopsToolOrSaysItIsUnavailable)
{
    std::vector<SystemInfoCase> cases = {
        {"GNOME's own tool, arguments with blanks kept whole",
         "ubuntu:GNOME",
         {{"system/applications", "gnome-info-overview-panel.desktop",
           "Exec=@TOOL@ gnome-control-center \"info overview\"\nOnlyShowIn=GNOME;Unity;\n"},
          kHardInfo},
         {"gnome-control-center", "info overview"}},
        {"KDE's own tool before hardinfo", "KDE", {kInfoCenter, kHardInfo}, {"kinfocenter"}},
        {"own tool whose OnlyShowIn names another desktop",
         "GNOME",
         {{"system/applications", "gnome-info-overview-panel.desktop", "Exec=@TOOL@ panel\nOnlyShowIn=KDE;\n"},
          kHardInfo},
         {"hardinfo"}},
        {"own tool whose NotShowIn names this desktop",
         "Unity",
         {{"system/applications", "gnome-info-overview-panel.desktop", "Exec=@TOOL@ panel\nNotShowIn=Unity;\n"},
          kHardInfo},
         {"hardinfo"}},
        {"hidden own tool",
         "KDE",
         {{"system/applications", "org.kde.kinfocenter.desktop", "Exec=@TOOL@ kinfocenter\nHidden=true\n"}, kHardInfo},
         {"hardinfo"}},
        {"another desktop's tool, hardinfo not shown here",
         "XFCE",
         {kInfoCenter, {"system/applications", "hardinfo.desktop", "Exec=@TOOL@ hardinfo\nOnlyShowIn=KDE;\n"}},
         {}},
        {"programs missing",
         "KDE",
         {{"system/applications", "org.kde.kinfocenter.desktop", "Exec=/nonexistent/kinfocenter\n"},
          {"system/applications", "hardinfo.desktop", "TryExec=/nonexistent/hardinfo\nExec=@TOOL@ hardinfo\n"}},
         {}},
        {"the user's entry before the system's",
         "GNOME",
         {{"user/applications", "hardinfo.desktop", "Exec=@TOOL@ \"user's hardinfo\"\n"}, kHardInfo},
         {"user's hardinfo"}},
        // A hidden entry stands for a deleted one, however little it holds.
        {"the user's hidden entry hides the system's", "GNOME", {kHiddenByUser, kHardInfo}, {}},
        {"the user's hidden own tool, then hardinfo",
         "KDE",
         {{"user/applications", "org.kde.kinfocenter.desktop", "Hidden=true\n"}, kInfoCenter, kHardInfo},
         {"hardinfo"}},
        {"reserved characters quoted",
         "GNOME",
         {{"system/applications", "hardinfo.desktop",
           R"x(Exec=@TOOL@ "#1 (a|b) <c> ~d & e; f* g?" "\\"q\\" 'h' \\$i \\`j \\\\k")x"
           "\n"}},
         {"#1 (a|b) <c> ~d & e; f* g?", "\"q\" 'h' $i `j \\k"}},
        {"a dollar sign unescaped in quotes", "GNOME", {userEntry(R"(Exec=@TOOL@ "x$y")"), kHardInfo}, {"hardinfo"}},
        {"a backquote unescaped in quotes", "GNOME", {userEntry("Exec=@TOOL@ \"x`y\""), kHardInfo}, {"hardinfo"}},
        {"nothing installed", "GNOME", {}, {}},
        {"an entry of 1 MiB",
         "KDE",
         {{"system/applications", "hardinfo.desktop", "Exec=@TOOL@ hardinfo\n", 1024 * 1024}},
         {"hardinfo"}},
        {"an entry of 1 MiB and a byte is not read",
         "KDE",
         {{"system/applications", "hardinfo.desktop", "Exec=@TOOL@ hardinfo\n", 1024 * 1024 + 1}},
         {}},
        // The system refuses to run these, after the program was found.
        {"an Exec script whose interpreter is missing",
         "KDE",
         {{"system/applications", "org.kde.kinfocenter.desktop", "Exec=@BROKEN@ kinfocenter\n"}},
         {}},
        {"an Exec that is a named pipe",
         "KDE",
         {{"system/applications", "org.kde.kinfocenter.desktop", "Exec=@PIPE@ kinfocenter\n"}},
         {}},
        {"field codes, for a start without files; a Name of two words stays one argument",
         "KDE",
         {{"system/applications", "org.kde.kinfocenter.desktop",
           "Exec=@TOOL@ %U --caption %c %% %i %f\nIcon=info\nName=Info Centre\n"}},
         {"--caption", "Info Centre", "%", "--icon", "info"}},
        {"%i without an Icon",
         "KDE",
         {{"system/applications", "hardinfo.desktop", "Exec=@TOOL@ %i alone\n"}},
         {"alone"}},
        {"an entry that needs a terminal",
         "GNOME",
         {userEntry("Exec=@TOOL@ user\nTerminal=true"), kHardInfo},
         {"hardinfo"}},
        {"43,000 data folders before the one with the tool", "KDE", {kInfoCenter}, {"kinfocenter"}, 43000},
    };
    // An Exec line that leaves a reserved character unquoted is no valid
    // entry: a shell would read it otherwise ("x #y" would lose "#y").
    for (const std::string_view reserved :
         {"\\t", "\\n", "'", "\\\\", ">", "<", "~", "|", "&", ";", "$", "*", "?", "#", "(", ")", "`"}) {
        cases.push_back({"unquoted " + std::string(reserved),
                         "GNOME",
                         {userEntry("Exec=@TOOL@ x" + std::string(reserved) + "y"), kHardInfo},
                         {"hardinfo"}});
    }
    Desktop desktop;
    open();
    action("mnuAbout")->trigger();
    frmAbout* dialog = nullptr;
    for (auto* widget : QApplication::topLevelWidgets())
        dialog = dialog ? dialog : qobject_cast<frmAbout*>(widget);
    ASSERT_NE(dialog, nullptr);
    auto* button = dialog->findChild<QPushButton*>("cmdSysInfo");

    for (const SystemInfoCase& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.reset(c.currentDesktop, c.missingDataDirs);
        for (const EntryFile& entry : c.entries)
            desktop.writeEntry(entry);

        const int busConnections = desktop.bus().connections();
        const auto seen = answerMessageBox([button] { QTest::mouseClick(button, Qt::LeftButton); });
        if (c.started.isEmpty()) {
            ASSERT_TRUE(seen.shown);
            EXPECT_EQ(seen.text, QString::fromUtf8("此时系统信息无效"));
            EXPECT_EQ(seen.title, "Quartet");
            EXPECT_EQ(seen.buttons, QMessageBox::Ok);
            EXPECT_FALSE(desktop.started());
        } else {
            EXPECT_FALSE(seen.shown) << seen.text.toStdString();
            EXPECT_EQ(desktop.startedWith().join(u'\n').toStdString(), c.started.join(u'\n').toStdString());
        }
        EXPECT_TRUE(dialog->isVisible()) << "the dialog stays open";
        EXPECT_EQ(desktop.bus().connections(), busConnections) << "the session bus was asked";
    }
}

}  // namespace
}  // namespace quartet::test
