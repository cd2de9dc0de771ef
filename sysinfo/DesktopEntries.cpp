// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/DesktopEntries.h"

#include "files/GLibPtr.h"
#include "files/RegularFile.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>
#include <vector>

namespace quartet {

namespace {

namespace fs = std::filesystem;

// Real entries, translations and all, stay far below this.
constexpr std::size_t kMaxEntrySize = 1024 * 1024;

constexpr const char* kEntryGroup = "Desktop Entry";

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
// rules. Those rules have a relative path ignored. A folder named twice is
// looked in once.
std::vector<fs::path> applicationDirs()
{
    std::vector<fs::path> dirs;
    std::set<fs::path> seen;
    const auto add = [&dirs, &seen](const fs::path& base) {
        if (base.is_absolute() && seen.insert(base).second)
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

// The entry in file, read once and within the limit: nothing unless it is a
// key file whose first group is the desktop entry's.
GKeyFilePtr readEntry(const fs::path& file)
{
    const RegularFile read = RegularFile::read(file, kMaxEntrySize);
    if (read.status != RegularFile::Status::Read)
        return nullptr;
    GKeyFilePtr entry(g_key_file_new());
    if (!g_key_file_load_from_data(entry.get(), read.bytes.data(), read.bytes.size(), G_KEY_FILE_NONE, nullptr))
        return nullptr;
    const GCharPtr firstGroup(g_key_file_get_start_group(entry.get()));
    if (!firstGroup || std::string_view(firstGroup.get()) != kEntryGroup)
        return nullptr;
    return entry;
}

// A key's value with the escapes of the format undone, or the empty text.
std::string value(GKeyFile* entry, const char* key)
{
    const GCharPtr text(g_key_file_get_string(entry, kEntryGroup, key, nullptr));
    return text ? text.get() : "";
}

// The same in the user's language, where the entry has it.
std::string localeValue(GKeyFile* entry, const char* key)
{
    const GCharPtr text(g_key_file_get_locale_string(entry, kEntryGroup, key, nullptr, nullptr));
    return text ? text.get() : "";
}

bool isTrue(GKeyFile* entry, const char* key)
{
    return g_key_file_get_boolean(entry, kEntryGroup, key, nullptr);
}

// Whether every reserved character of an Exec line stands inside double
// quotes, and every quote is closed: the desktop entry rules make any other
// line invalid. Inside quotes, a backslash escapes the next character, and
// the backquote and the dollar sign must be escaped like that. Arguments are
// separated by spaces alone. A shell would read what such a line leaves
// unquoted differently from the desktop ("tool x #y" would start "tool x").
bool quotesReservedCharacters(std::string_view line)
{
    constexpr std::string_view kReserved = "\t\n'\\><~|&;$*?#()`";
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            quoted = !quoted;
        else if (quoted && c == '\\')
            ++i;
        else if (quoted ? c == '`' || c == '$' : kReserved.find(c) != std::string_view::npos)
            return false;
    }
    return !quoted;
}

// The words of a command line, split and unquoted by the rules of a shell
// without running one; nothing when it does not split (an open quote, no
// words at all).
std::optional<std::vector<std::string>> commandWords(const std::string& line)
{
    gchar** split = nullptr;
    if (!g_shell_parse_argv(line.c_str(), nullptr, &split, nullptr))
        return std::nullopt;
    const GStrvPtr words(split);
    return std::vector<std::string>(words.get(), words.get() + g_strv_length(words.get()));
}

// An executable file at the path, or by that name along PATH.
bool programIsThere(const std::string& program)
{
    return GCharPtr(g_find_program_in_path(program.c_str())) != nullptr;
}

// An application whose TryExec and Exec programs are there. An entry that
// asks for a terminal does not count: no system information tool does, and
// which terminal to open is the desktop's business.
bool canBeStarted(GKeyFile* entry)
{
    if (value(entry, "Type") != "Application" || isTrue(entry, "Terminal"))
        return false;
    if (const std::string tryExec = value(entry, "TryExec"); !tryExec.empty() && !programIsThere(tryExec))
        return false;
    const std::string exec = value(entry, "Exec");
    if (!quotesReservedCharacters(exec))
        return false;
    const auto words = commandWords(exec);
    return words && !words->empty() && programIsThere(words->front());
}

bool listsDesktop(GKeyFile* entry, const char* key, const std::string& desktop)
{
    gsize count = 0;
    const GStrvPtr names(g_key_file_get_string_list(entry, kEntryGroup, key, &count, nullptr));
    return names
        && std::any_of(names.get(), names.get() + count, [&desktop](const gchar* name) { return desktop == name; });
}

// The desktop entry rule: the first current desktop that NotShowIn or
// OnlyShowIn names decides; when none is named, an entry with OnlyShowIn
// stays hidden and any other shows.
bool shownOn(GKeyFile* entry, const std::vector<std::string>& desktops)
{
    for (const std::string& desktop : desktops) {
        if (listsDesktop(entry, "NotShowIn", desktop))
            return false;
        if (listsDesktop(entry, "OnlyShowIn", desktop))
            return true;
    }
    return !g_key_file_has_key(entry, kEntryGroup, "OnlyShowIn", nullptr);
}

// The file of the entry with this id, resolved as the desktop resolves an
// id: the first directory whose file of that name can be started. A hidden
// entry there before it stands for a deleted one, and so hides the id from
// every directory after it, whatever else it holds or lacks (a user's
// Hidden=true in XDG_DATA_HOME hides the system's entry). The tools install
// their entries at the top of applications/, so ids that stand for files in
// subfolders (kde-foo.desktop for kde/foo.desktop) are not looked for.
std::optional<fs::path> entryFile(const std::vector<fs::path>& dirs, std::string_view id,
                                  const std::vector<std::string>& desktops)
{
    for (const fs::path& dir : dirs) {
        const fs::path file = dir / id;
        const GKeyFilePtr entry = readEntry(file);
        if (entry && isTrue(entry.get(), "Hidden"))
            return std::nullopt;
        if (!entry || !canBeStarted(entry.get()))
            continue;
        if (!shownOn(entry.get(), desktops))
            return std::nullopt;
        return file;
    }
    return std::nullopt;
}

std::string shellQuoted(const std::string& text)
{
    return GCharPtr(g_shell_quote(text.c_str())).get();
}

// The Exec line with its field codes expanded for a start without files:
// the codes for files and URLs and the deprecated ones go, %i gives --icon
// and the entry's icon, %c its name, %k its file, %% a percent sign. What is
// put in is quoted, so that it stays one word when the line is split.
std::string expandedCommandLine(GKeyFile* entry, const std::string& file)
{
    const std::string exec = value(entry, "Exec");
    std::string line;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '%' || i + 1 == exec.size()) {
            line += exec[i];
            continue;
        }
        switch (exec[++i]) {
        case '%': line += '%'; break;
        case 'i':
            if (const std::string icon = localeValue(entry, "Icon"); !icon.empty())
                line += "--icon " + shellQuoted(icon);
            break;
        case 'c': line += shellQuoted(localeValue(entry, "Name")); break;
        case 'k': line += shellQuoted(file); break;
        default: break;
        }
    }
    return line;
}

}  // namespace

std::optional<std::string> findSystemInformationEntry()
{
    const std::vector<fs::path> dirs = applicationDirs();
    const std::vector<std::string> desktops = colonList(environmentValue("XDG_CURRENT_DESKTOP"));
    for (std::string_view id : toolEntryIds(desktops)) {
        if (const std::optional<fs::path> file = entryFile(dirs, id, desktops))
            return file->string();
    }
    return std::nullopt;
}

bool isDesktopEntryFile(const std::string& path)
{
    std::error_code error;
    return path.ends_with(kEntrySuffix) && path.find('\0') == std::string::npos
        && fs::is_regular_file(fs::path(path), error);
}

bool launchDesktopEntry(const std::string& path)
{
    if (path.find('\0') != std::string::npos)
        return false;
    const GKeyFilePtr entry = readEntry(path);
    if (!entry || !canBeStarted(entry.get()))
        return false;
    std::optional<std::vector<std::string>> words = commandWords(expandedCommandLine(entry.get(), path));
    if (!words || words->empty())
        return false;
    std::vector<gchar*> argv;
    for (std::string& word : *words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const std::string folder = value(entry.get(), "Path");
    // GLib starts the program through a child that is gone at once, so that
    // nothing is left to reap, and hears back whether the program itself
    // could be run: a failed exec is reported here, not swallowed.
    return g_spawn_async(folder.empty() ? nullptr : folder.c_str(), argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr,
                         nullptr, nullptr, nullptr);
}

}  // namespace quartet
