// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayCheck.h"

#include "app/CommandLineTexts.h"

#ifdef QUARTET_DISPLAY_SERVERS
#include "app/PlatformChoice.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QStringList>
#include <QVersionNumber>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <wayland-client.h>
#include <xcb/xcb.h>
#endif

namespace quartet {

namespace {

namespace texts = commandLineTexts;

QString local(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

#ifdef QUARTET_DISPLAY_SERVERS

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The connection when the X display opens, else null.
std::shared_ptr<void> openX(const std::string& display)
{
    int screen = 0;
    // Never null: a failed connection is an object that reports its error,
    // and it is disconnected like any other.
    std::shared_ptr<xcb_connection_t> connection(xcb_connect(display.c_str(), &screen), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0)
        return nullptr;
    return connection;
}

struct Compositor {
    bool opens = false;
    bool drawsTitleBars = false;
};

void noteGlobal(void* drawsTitleBars, wl_registry*, uint32_t, const char* interface, uint32_t)
{
    if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
        *static_cast<bool*>(drawsTitleBars) = true;
}

void ignoreRemoval(void*, wl_registry*, uint32_t) {}

void ignoreLine(const char*, va_list) {}

void printLine(const char* format, va_list arguments)
{
    std::vfprintf(stderr, format, arguments);
}

// The display's name is a socket in the user's runtime folder, or a path.
// Its globals are asked for only when they decide something: a round trip
// that Qt would not make.
Compositor openWayland(const std::string& display, bool askForGlobals)
{
    // A display that does not open is told in the program's own line, without
    // libwayland-client's.
    wl_log_set_handler_client(&ignoreLine);
    wl_display* connection = wl_display_connect(display.c_str());
    wl_log_set_handler_client(&printLine);
    if (connection == nullptr)
        return {};
    Compositor compositor{true, false};
    if (askForGlobals) {
        static const wl_registry_listener listener{&noteGlobal, &ignoreRemoval};
        wl_registry* registry = wl_display_get_registry(connection);
        wl_registry_add_listener(registry, &listener, &compositor.drawsTitleBars);
        wl_display_roundtrip(connection);
        wl_registry_destroy(registry);
    }
    wl_display_disconnect(connection);
    return compositor;
}

// The keys of Qt's Wayland title-bar plugins, found where Qt looks for them;
// their metadata is read without loading them.
std::vector<std::string> installedDecorations()
{
    QStringList folders = qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    folders.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
    std::vector<std::string> keys;
    for (const QString& folder : folders) {
        const QDir plugins(folder + QStringLiteral("/wayland-decoration-client"));
        for (const QString& file : plugins.entryList(QDir::Files)) {
            const QJsonObject metaData =
                QPluginLoader(plugins.filePath(file)).metaData().value(QStringLiteral("MetaData")).toObject();
            for (const QJsonValue key : metaData.value(QStringLiteral("Keys")).toArray())
                keys.push_back(key.toString().toLower().toStdString());
        }
    }
    return keys;
}

unsigned qtVersion()
{
    const QVersionNumber version = QVersionNumber::fromString(QString::fromLatin1(qVersion()));
    return static_cast<unsigned>(
        QT_VERSION_CHECK(version.majorVersion(), version.minorVersion(), version.microVersion()));
}

// What decides the platform where both X and the compositor open.
DisplayFacts factsWithBoth(const Compositor& compositor)
{
    DisplayFacts facts;
    facts.xOpens = true;
    facts.waylandOpens = true;
    facts.compositorDrawsTitleBars = compositor.drawsTitleBars;
    facts.qtVersion = qtVersion();
    facts.desktop = environment("XDG_CURRENT_DESKTOP");
    facts.decorationNamed = environment("QT_WAYLAND_DECORATION");
    facts.decorationsOff = !environment("QT_WAYLAND_DISABLE_WINDOWDECORATION").empty();
    facts.decorations = installedDecorations();
    return facts;
}

QString displayProblem(const std::string& x, const std::string& wayland)
{
    if (x.empty() && wayland.empty())
        return texts::kNoDisplaySet;
    if (wayland.empty())
        return texts::cannotOpenX(local(x));
    if (x.empty())
        return texts::cannotOpenWayland(local(wayland));
    return texts::cannotOpenEither(local(x), local(wayland));
}

WindowStart planForDisplays(const QString& program)
{
    const std::string x = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    WindowStart start;
    if (!x.empty())
        start.heldDisplay = openX(x);
    const bool xOpens = start.heldDisplay != nullptr;
    const Compositor compositor = wayland.empty() ? Compositor{} : openWayland(wayland, xOpens);
    if (!xOpens && !compositor.opens) {
        start.heldDisplay.reset();
        start.problem = texts::noDisplayLine(displayProblem(x, wayland), program).toStdString();
        return start;
    }
    // Only then is there a choice, and Qt's title-bar plugins worth looking up.
    if (xOpens && compositor.opens && runsBetterOnX(factsWithBoth(compositor)))
        start.platform = "xcb";
    // Qt can still fail here: a Wayland display alone, say, without Qt's Wayland plugin.
    const QString failure = xOpens ? texts::kQtPlatformFailed : texts::qtCannotUseWayland(local(wayland));
    start.failureLine = texts::noDisplayLine(failure, program).toStdString();
    return start;
}

#else

// Elsewhere the desktop is always there.
WindowStart planForDisplays(const QString& program)
{
    WindowStart start;
    start.failureLine = texts::noDisplayLine(texts::kQtPlatformFailed, program).toStdString();
    return start;
}

#endif

}  // namespace

WindowStart planWindowStart(std::string_view program, const std::optional<NamedPlatform>& named)
{
    if (named) {
        WindowStart start;
        start.failureLine = texts::namedPlatformFailed(local(named->name), local(named->namedBy)).toStdString();
        return start;
    }
    return planForDisplays(local(std::string(program)));
}

}  // namespace quartet
