// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/startup/PlatformStartGuard.h"

#include <QMessageLogContext>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#ifdef QUARTET_DISPLAY_SERVERS
#include <wayland-client.h>
#endif

namespace quartet {

namespace {

// The handlers are plain functions: they reach the guard through this
// pointer, set only while the guard holds messages.
std::atomic<PlatformStartGuard*> activeGuard = nullptr;

std::string orEmpty(const char* maybe)
{
    return maybe != nullptr ? maybe : "";
}

void holdQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    PlatformStartGuard::hold(
        {true, type, orEmpty(context.file), context.line, orEmpty(context.function), orEmpty(context.category), text});
}

#ifdef QUARTET_DISPLAY_SERVERS

// libwayland-client writes its complaints to standard error by itself.
void holdWaylandLine(const char* format, va_list arguments)
{
    char line[1024];
    std::vsnprintf(line, sizeof line, format, arguments);
    PlatformStartGuard::HeldMessage message;
    message.fromQt = false;
    message.text = QString::fromLocal8Bit(line);
    PlatformStartGuard::hold(message);
}

void printWaylandLine(const char* format, va_list arguments)
{
    std::vfprintf(stderr, format, arguments);
}

#endif

}  // namespace

PlatformStartGuard::PlatformStartGuard(std::string failureLine) : m_failureLine(std::move(failureLine))
{
    activeGuard = this;
    m_previous = qInstallMessageHandler(&holdQtMessage);
#ifdef QUARTET_DISPLAY_SERVERS
    wl_log_set_handler_client(&holdWaylandLine);
#endif
}

PlatformStartGuard::~PlatformStartGuard()
{
    release();
}

void PlatformStartGuard::release()
{
    if (m_released)
        return;
    m_released = true;
    qInstallMessageHandler(m_previous);
#ifdef QUARTET_DISPLAY_SERVERS
    wl_log_set_handler_client(&printWaylandLine);
#endif
    activeGuard = nullptr;
    const std::lock_guard lock(m_mutex);
    for (const HeldMessage& message : m_held) {
        if (!message.fromQt) {
            std::fputs(message.text.toLocal8Bit().constData(), stderr);
            continue;
        }
        const QMessageLogContext context(message.file.c_str(), message.line, message.function.c_str(),
                                         message.category.c_str());
        m_previous(message.type, context, message.text);
    }
    m_held.clear();
}

void PlatformStartGuard::hold(HeldMessage message)
{
    PlatformStartGuard* const guard = activeGuard;
    if (guard == nullptr)
        return;
    if (message.type == QtFatalMsg) {
        // Qt aborts once this returns: end here, with the one line and no
        // core dump. Nothing else runs: the half-made application is
        // better left alone.
        std::fputs((guard->m_failureLine + '\n').c_str(), stderr);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    const std::lock_guard lock(guard->m_mutex);
    guard->m_held.push_back(std::move(message));
}

}  // namespace quartet
