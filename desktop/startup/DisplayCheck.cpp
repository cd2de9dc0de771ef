// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/startup/DisplayCheck.h"

#include "desktop/startup/StartupTexts.h"

#ifdef QUARTET_DISPLAY_SERVERS
#include "desktop/startup/PlatformChoice.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QStringList>
#include <QVersionNumber>

#include "desktop/startup/AbandonableCall.h"

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <poll.h>
#include <wayland-client.h>
#include <xcb/xcb.h>
#endif

namespace quartet {

namespace {

namespace texts = startupTexts;

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

using Clock = std::chrono::steady_clock;

// A display server that takes the connection answers at once; one that takes
// it and then says nothing (hung, or not a display server at all) is given
// up on after this.
constexpr auto kAnswerTime = std::chrono::seconds(2);

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

// xcb_connect waits without a limit for the server's first answer, so it
// runs on a thread of its own; a connection made after the deadline is
// closed again with that thread.
using XOpening = AbandonableCall<std::shared_ptr<void>>;

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

void noteDone(void* answered, wl_callback*, uint32_t)
{
    *static_cast<bool*>(answered) = true;
}

void ignoreLine(const char*, va_list) {}

void printLine(const char* format, va_list arguments)
{
    std::vfprintf(stderr, format, arguments);
}

// Sends the requests and waits until the compositor's answer can be read.
bool awaitAnswer(wl_display* display, Clock::time_point deadline)
{
    if (wl_display_flush(display) < 0 && errno != EAGAIN)
        return false;
    pollfd readable{wl_display_get_fd(display), POLLIN, 0};
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const int ready = left > 0 ? ::poll(&readable, 1, static_cast<int>(left)) : 0;
        if (ready >= 0 || errno != EINTR)
            return ready > 0;
    }
}

// The registry's globals and then the answer to a sync request: the round
// trip of wl_display_roundtrip, with a deadline. A compositor that says
// nothing, or says what is not Wayland, fails it.
bool answersInTime(wl_display* display, Clock::time_point deadline, bool& drawsTitleBars)
{
    static const wl_registry_listener globals{&noteGlobal, &ignoreRemoval};
    static const wl_callback_listener done{&noteDone};
    const std::unique_ptr<wl_registry, decltype(&wl_registry_destroy)> registry(wl_display_get_registry(display),
                                                                                &wl_registry_destroy);
    const std::unique_ptr<wl_callback, decltype(&wl_callback_destroy)> sync(wl_display_sync(display),
                                                                            &wl_callback_destroy);
    bool answered = false;
    if (!registry || !sync)
        return false;
    wl_registry_add_listener(registry.get(), &globals, &drawsTitleBars);
    wl_callback_add_listener(sync.get(), &done, &answered);
    while (!answered) {
        if (wl_display_prepare_read(display) != 0) {  // events already read wait to be handled
            if (wl_display_dispatch_pending(display) < 0)
                return false;
            continue;
        }
        if (!awaitAnswer(display, deadline)) {
            wl_display_cancel_read(display);
            return false;
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0)
            return false;
    }
    return true;
}

// The display's name is a socket in the user's runtime folder, or a path.
// A display that does not open, or does not answer, is told in the
// program's own line, without libwayland-client's.
Compositor openWayland(const std::string& name, Clock::time_point deadline)
{
    Compositor compositor;
    wl_log_set_handler_client(&ignoreLine);
    if (wl_display* display = wl_display_connect(name.c_str())) {
        compositor.opens = answersInTime(display, deadline, compositor.drawsTitleBars);
        wl_display_disconnect(display);
    }
    wl_log_set_handler_client(&printLine);
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

// The platform to ask Qt for. Where only one display answers, Qt is told
// which, rather than left to try the other first and complain about it.
std::string chosenPlatform(bool xOpens, const Compositor& compositor)
{
    if (!compositor.opens)
        return "xcb";
    if (!xOpens)
        return "wayland";
    // Only then is there a choice, and Qt's title-bar plugins worth looking up.
    return runsBetterOnX(factsWithBoth(compositor)) ? "xcb" : "";
}

WindowStart planForDisplays(const QString& program)
{
    const std::string x = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    // Both displays are asked at once, so that the two waits overlap.
    const Clock::time_point deadline = Clock::now() + kAnswerTime;
    std::optional<XOpening> openingX;
    if (!x.empty())
        openingX.emplace([x] { return openX(x); });
    const Compositor compositor = wayland.empty() ? Compositor{} : openWayland(wayland, deadline);
    WindowStart start;
    if (openingX)
        start.heldDisplay = openingX->resultBy(deadline).value_or(nullptr);
    const bool xOpens = start.heldDisplay != nullptr;
    if (!xOpens && !compositor.opens) {
        start.problem = texts::noDisplayLine(displayProblem(x, wayland), program).toStdString();
        return start;
    }
    start.platform = chosenPlatform(xOpens, compositor);
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
