// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ExportFileRegistry.h"
#include "tests/support/EnvironmentOverride.h"
#include "tests/support/MessageBoxes.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/frmAbout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace quartet::test {
namespace {

// A desktop entry for a case: the folder it is written to, its file name and
// the lines after Type and Name. @TOOL@ stands for the marker tool.
struct EntryFile {
    const char* folder;
    const char* name;
    const char* lines;
};

// A desktop of its own in a temporary folder: the user's and the system's
// XDG data folders, a registry export file that exists only when a case
// writes it, no session bus, and a marker tool, "marker tool", that writes
// its arguments into a file, one a line, to show that it was started.
class Desktop {
public:
    Desktop()
    {
        m_environment.set("XDG_DATA_HOME", path("user").toLocal8Bit());
        m_environment.set("XDG_DATA_DIRS", path("system").toLocal8Bit());
        m_environment.set("QUARTET_REGISTRY_FILE", path("registry.reg").toLocal8Bit());
        m_environment.set("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + path("no-bus")).toLocal8Bit());
        write("marker tool",
              "#!/bin/sh\nprintf '%s\\n' \"$@\" >'" + path("started.part") + "' && mv '" + path("started.part") + "' '"
                  + path("started") + "'\n");
        QFile(path("marker tool")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Empties the data folders and removes the export file and the marker.
    void reset(const char* currentDesktop)
    {
        m_environment.set("XDG_CURRENT_DESKTOP", currentDesktop);
        for (const char* folder : {"user", "system", "admin"})
            QDir(path(folder)).removeRecursively();
        for (const char* file : {"registry.reg", "started"})
            QFile::remove(path(file));
    }

    void writeEntry(const EntryFile& entry)
    {
        QString lines = QString::fromUtf8(entry.lines);
        lines.replace("@TOOL@", '"' + path("marker tool") + '"');
        QDir(m_root.path()).mkpath(entry.folder);
        write(QString(entry.folder) + '/' + entry.name, "[Desktop Entry]\nType=Application\nName=Tool\n" + lines);
    }

    // An export file; @ROOT@ stands for this desktop's folder.
    void writeRegistry(const char* text)
    {
        write("registry.reg", QString::fromUtf8(text).replace("@ROOT@", m_root.path()));
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

    void write(const QString& name, const QString& text) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(text.toUtf8());
    }

    QTemporaryDir m_root;
    EnvironmentOverride m_environment;
};

struct SystemInfoCase {
    const char* name;
    const char* currentDesktop;
    std::vector<EntryFile> entries;
    const char* registry;  // the export file, or nullptr for none
    QStringList started;   // the marker tool's arguments; empty: the message
};

const EntryFile kHardInfo{"system/applications", "hardinfo.desktop", "Exec=@TOOL@ hardinfo\n"};
const EntryFile kInfoCenter{"system/applications", "org.kde.kinfocenter.desktop", "Exec=@TOOL@ kinfocenter\n"};

// Names a tool of its own, but is too large to be read.
const std::string kOversizedExport = "Windows Registry Editor Version 5.00\r\n"
                                     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n"
                                     "\"PATH\"=\"@ROOT@/marker tool\"\r\n"
    + std::string(ExportFileRegistry::kMaxFileSize, ';');

class SystemInformationTest : public MainWindowTest {};

// Each press looks at the desktop afresh: the cases share one dialog.
TEST_F(SystemInformationTest, StartsTheDesktopsToolOrSaysItIsUnavailable)
{
    const std::vector<SystemInfoCase> cases = {
        {"GNOME's own tool, arguments with blanks kept whole",
         "ubuntu:GNOME",
         {{"system/applications", "gnome-info-overview-panel.desktop",
           "Exec=@TOOL@ gnome-control-center \"info overview\"\nOnlyShowIn=GNOME;Unity;\n"},
          kHardInfo},
         nullptr,
         {"gnome-control-center", "info overview"}},
        {"KDE's own tool before hardinfo", "KDE", {kInfoCenter, kHardInfo}, nullptr, {"kinfocenter"}},
        {"own tool whose OnlyShowIn names another desktop",
         "GNOME",
         {{"system/applications", "gnome-info-overview-panel.desktop", "Exec=@TOOL@ panel\nOnlyShowIn=KDE;\n"},
          kHardInfo},
         nullptr,
         {"hardinfo"}},
        {"own tool whose NotShowIn names this desktop",
         "Unity",
         {{"system/applications", "gnome-info-overview-panel.desktop", "Exec=@TOOL@ panel\nNotShowIn=Unity;\n"},
          kHardInfo},
         nullptr,
         {"hardinfo"}},
        {"hidden own tool",
         "KDE",
         {{"system/applications", "org.kde.kinfocenter.desktop", "Exec=@TOOL@ kinfocenter\nHidden=true\n"}, kHardInfo},
         nullptr,
         {"hardinfo"}},
        {"another desktop's tool, hardinfo not shown here",
         "XFCE",
         {kInfoCenter, {"system/applications", "hardinfo.desktop", "Exec=@TOOL@ hardinfo\nOnlyShowIn=KDE;\n"}},
         nullptr,
         {}},
        {"programs missing",
         "KDE",
         {{"system/applications", "org.kde.kinfocenter.desktop", "Exec=/nonexistent/kinfocenter\n"},
          {"system/applications", "hardinfo.desktop", "TryExec=/nonexistent/hardinfo\nExec=@TOOL@ hardinfo\n"}},
         nullptr,
         {}},
        {"the user's entry before the system's",
         "GNOME",
         {{"user/applications", "hardinfo.desktop", "Exec=@TOOL@ \"user's hardinfo\"\n"}, kHardInfo},
         nullptr,
         {"user's hardinfo"}},
        {"nothing installed", "GNOME", {}, nullptr, {}},
        {"the export file wins",
         "KDE",
         {kInfoCenter, {"admin", "chosen.desktop", "Exec=@TOOL@ chosen\n"}},
         "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n"
         "\"PATH\"=\"@ROOT@/admin/chosen.desktop\"\r\n",
         {"chosen"}},
        {"an export file without the tool", "KDE", {kInfoCenter}, "Windows Registry Editor Version 5.00\r\n", {}},
        {"an export file above the limit is not read", "KDE", {kInfoCenter}, kOversizedExport.c_str(), {"kinfocenter"}},
        // The administrator's path is started only as the absolute file it names.
        {"a program name in the export file",
         "KDE",
         {kInfoCenter},
         "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n"
         "\"PATH\"=\"sh\"\r\n",
         {}},
    };
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
        desktop.reset(c.currentDesktop);
        for (const EntryFile& entry : c.entries)
            desktop.writeEntry(entry);
        if (c.registry)
            desktop.writeRegistry(c.registry);

        const auto seen = answerMessageBox([button] { QTest::mouseClick(button, Qt::LeftButton); });
        if (c.started.isEmpty()) {
            ASSERT_TRUE(seen.shown);
            EXPECT_EQ(seen.text, QString::fromUtf8("此时系统信息无效"));
            EXPECT_EQ(seen.title, "Quartet");
            EXPECT_EQ(seen.buttons, QMessageBox::Ok);
            EXPECT_FALSE(desktop.started());
        } else {
            EXPECT_FALSE(seen.shown) << seen.text.toStdString();
            EXPECT_EQ(desktop.startedWith(), c.started);
        }
        EXPECT_TRUE(dialog->isVisible()) << "the dialog stays open";
    }
}

}  // namespace
}  // namespace quartet::test
