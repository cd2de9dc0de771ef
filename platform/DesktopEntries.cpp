// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopEntries.h"

#include "platform/GObjectPtr.h"
#include "platform/RegularFile.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

namespace quartet {

namespace {

namespace fs = std::filesystem;

using DesktopEntry = GObjectPtr<GDesktopAppInfo>;

// GIO reads an entry whole and would wait on a pipe: only a regular file of
// a size that real entries, translations and all, stay far below is given
// to it.
constexpr std::size_t kMaxEntrySize = 1024 * 1024;

bool isSmallRegularFile(const fs::path& file)
{
    return RegularFile::inspect(file, kMaxEntrySize) == RegularFile::Status::Read;
}

// A desktop's own tool, by the name that XDG_CURRENT_DESKTOP gives the desktop.
struct DesktopTool {
    std::string_view desktop;
    std::string_view entryId;
};

constexpr std::array<DesktopTool, 3> kDesktopTools = {{
    {"KDE", "org.kde.kinfocenter.desktop"},
    {"GNOME", "gnome-info-overview-panel.desktop"},
    {"Unity", "gnome-info-overview-panel.desktop"},
}};

// The tool of any desktop, for when the desktop's own is missing.
constexpr std::string_view kAnyDesktopTool = "hardinfo.desktop";

constexpr std::string_view kEntrySuffix = ".desktop";

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The items of a colon-separated list, empty ones left out.
std::vector<std::string> colonList(std::string_view text)
{
    std::vector<std::string> items;
    while (!text.empty()) {
        const std::size_t colon = std::min(text.find(':'), text.size());
        if (colon > 0)
            items.emplace_back(text.substr(0, colon));
        text.remove_prefix(std::min(colon + 1, text.size()));
    }
    return items;
}

// Where desktop entries live, most important first: under XDG_DATA_HOME,
// then under each of XDG_DATA_DIRS, with the defaults of the base directory
// rules. Those rules have a relative path ignored.
std::vector<fs::path> applicationDirs()
{
    std::vector<fs::path> dirs;
    const auto add = [&dirs](const fs::path& base) {
        if (base.is_absolute())
            dirs.push_back(base / "applications");
    };
    if (const std::string dataHome = environmentValue("XDG_DATA_HOME"); !dataHome.empty())
        add(dataHome);
    else if (const std::string home = environmentValue("HOME"); !home.empty())
        add(fs::path(home) / ".local" / "share");

    std::string dataDirs = environmentValue("XDG_DATA_DIRS");
    if (dataDirs.empty())
        dataDirs = "/usr/local/share/:/usr/share/";
    for (const std::string& dir : colonList(dataDirs))
        add(dir);
    return dirs;
}

// The ids of the tools to try, in order of preference.
std::vector<std::string_view> toolEntryIds(const std::vector<std::string>& desktops)
{
    std::vector<std::string_view> ids;
    for (const std::string& desktop : desktops) {
        for (const DesktopTool& tool : kDesktopTools) {
            if (tool.desktop == desktop && std::find(ids.begin(), ids.end(), tool.entryId) == ids.end())
                ids.push_back(tool.entryId);
        }
    }
    ids.push_back(kAnyDesktopTool);
    return ids;
}

// The entry with this id, resolved as GIO resolves an id: from the first
// directory whose file of that name GIO accepts. The tools install their
// entries at the top of applications/, so ids that stand for files in
// subfolders (kde-foo.desktop for kde/foo.desktop) are not looked for.
DesktopEntry loadEntry(const std::vector<fs::path>& dirs, std::string_view id)
{
    for (const fs::path& dir : dirs) {
        const fs::path file = dir / id;
        if (!isSmallRegularFile(file))
            continue;
        DesktopEntry entry(g_desktop_app_info_new_from_filename(file.c_str()));
        if (entry)
            return entry;
    }
    return nullptr;
}

bool listsDesktop(GDesktopAppInfo* entry, const char* key, const std::string& desktop)
{
    gsize count = 0;
    const GStrvPtr names(g_desktop_app_info_get_string_list(entry, key, &count));
    return names
        && std::any_of(names.get(), names.get() + count, [&desktop](const gchar* name) { return desktop == name; });
}

// The desktop entry rule: the first current desktop that NotShowIn or
// OnlyShowIn names decides; when none is named, an entry with OnlyShowIn
// stays hidden and any other shows.
bool shownOn(GDesktopAppInfo* entry, const std::vector<std::string>& desktops)
{
    for (const std::string& desktop : desktops) {
        if (listsDesktop(entry, "NotShowIn", desktop))
            return false;
        if (listsDesktop(entry, "OnlyShowIn", desktop))
            return true;
    }
    return !g_desktop_app_info_has_key(entry, "OnlyShowIn");
}

}  // namespace

std::optional<std::string> findSystemInformationEntry()
{
    const std::vector<fs::path> dirs = applicationDirs();
    const std::vector<std::string> desktops = colonList(environmentValue("XDG_CURRENT_DESKTOP"));
    for (std::string_view id : toolEntryIds(desktops)) {
        const DesktopEntry entry = loadEntry(dirs, id);
        if (!entry || g_desktop_app_info_get_is_hidden(entry.get()) || !shownOn(entry.get(), desktops))
            continue;
        if (const char* file = g_desktop_app_info_get_filename(entry.get()))
            return file;
    }
    return std::nullopt;
}

bool isDesktopEntryFile(const std::string& path)
{
    return path.ends_with(kEntrySuffix) && path.find('\0') == std::string::npos && isSmallRegularFile(path);
}

bool launchDesktopEntry(const std::string& path)
{
    if (path.find('\0') != std::string::npos)
        return false;
    const DesktopEntry entry(g_desktop_app_info_new_from_filename(path.c_str()));
    // Every failure ends in the same message, so GIO's error is not asked for.
    return entry && g_app_info_launch(G_APP_INFO(entry.get()), nullptr, nullptr, nullptr);
}

}  // namespace quartet
