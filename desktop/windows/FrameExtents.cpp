// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/windows/FrameExtents.h"

#include "desktop/windows/X11Connection.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace quartet {

namespace {

// Window managers answer within a few milliseconds; one that is stuck only
// delays the window this long, and the window then opens where it would
// have without knowing its frame.
constexpr int kAnswerWaitMs = 250;

// Whether a window manager runs, and whether it answers a request for a
// window's frame before the window is shown (_NET_SUPPORTED).
struct WindowManager {
    bool runs = false;
    bool tellsFramesBeforehand = false;
};

WindowManager windowManagerOf(X11Connection& x11, int screen)
{
    xcb_ewmh_get_atoms_reply_t supported;
    if (!xcb_ewmh_get_supported_reply(x11.ewmh(), xcb_ewmh_get_supported(x11.ewmh(), screen), &supported, nullptr))
        return {};
    const xcb_atom_t* begin = supported.atoms;
    const xcb_atom_t* end = begin + supported.atoms_len;
    const bool answers = std::find(begin, end, x11.ewmh()->_NET_REQUEST_FRAME_EXTENTS) != end;
    xcb_ewmh_get_atoms_reply_wipe(&supported);
    return {true, answers};
}

std::optional<QMargins> readExtents(X11Connection& x11, xcb_window_t window)
{
    xcb_ewmh_get_extents_reply_t sides;
    if (!xcb_ewmh_get_frame_extents_reply(x11.ewmh(), xcb_ewmh_get_frame_extents(x11.ewmh(), window), &sides, nullptr))
        return std::nullopt;
    const auto side = [](std::uint32_t pixels) { return static_cast<int>(pixels); };
    return QMargins(side(sides.left), side(sides.top), side(sides.right), side(sides.bottom));
}

// Calls changed whenever a property of a window changes. Qt reads the
// window's events, property changes among them, and hands them on here.
class PropertyChangeWatch : public QAbstractNativeEventFilter {
public:
    PropertyChangeWatch(xcb_window_t window, xcb_atom_t name, std::function<void()> changed)
        : m_window(window), m_name(name), m_changed(std::move(changed))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->window == m_window && notify->atom == m_name)
            m_changed();
        return false;
    }

private:
    xcb_window_t m_window;
    xcb_atom_t m_name;
    std::function<void()> m_changed;
};

// Lives with the window until the window manager tells its frame, and
// calls told where that is not the one known when the window was placed.
class FrameToldWatch : public QObject {
public:
    FrameToldWatch(QWidget& window, std::unique_ptr<X11Connection> x11, const std::optional<QMargins>& known,
                   std::function<void(const QMargins&)> told)
        : QObject(&window), m_x11(std::move(x11)), m_window(static_cast<xcb_window_t>(window.winId())), m_known(known),
          m_told(std::move(told)), m_watch(m_window, m_x11->ewmh()->_NET_FRAME_EXTENTS, [this] { frameChanged(); })
    {
        setObjectName(QLatin1String(kObjectName));
        window.installEventFilter(this);
    }

    static constexpr char kObjectName[] = "quartetFrameToldWatch";

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        // A window manager that told a frame beforehand has framed the window
        // by the time it is drawn, and may never tell it again. Those that
        // did not (KWin) or told none (mutter) tell it as they take the
        // window on: usually before it is drawn, though KWin, for the first
        // window after it starts, only after.
        if (event->type() == QEvent::Paint && m_known && !m_known->isNull())
            finish();
        return false;
    }

private:
    void frameChanged()
    {
        const std::optional<QMargins> frame = readExtents(*m_x11, m_window);
        if (!frame || !m_told)
            return;
        if (frame != m_known)
            m_told(*frame);
        finish();
    }

    void finish()
    {
        m_told = nullptr;
        deleteLater();
    }

    std::unique_ptr<X11Connection> m_x11;
    xcb_window_t m_window;
    std::optional<QMargins> m_known;
    std::function<void(const QMargins&)> m_told;
    PropertyChangeWatch m_watch;
};

}  // namespace

std::optional<QMargins> frameExtents(QWidget& window)
{
    const std::unique_ptr<X11Connection> x11 = X11Connection::ofQt();
    if (!x11)
        return QMargins();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const int screen = x11->screenOf(id);
    const WindowManager manager = screen >= 0 ? windowManagerOf(*x11, screen) : WindowManager{};
    if (!manager.runs)
        return QMargins();
    if (manager.tellsFramesBeforehand) {
        // Nothing the player does is handled while the loop runs.
        QEventLoop loop;
        const PropertyChangeWatch watch(id, x11->ewmh()->_NET_FRAME_EXTENTS, [&loop] { loop.quit(); });
        xcb_ewmh_request_frame_extents(x11->ewmh(), screen, id);
        xcb_flush(x11->connection());
        QTimer::singleShot(kAnswerWaitMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // Also what a window manager told when the window was shown before.
    return readExtents(*x11, id);
}

void whenFrameTold(QWidget& window, const std::optional<QMargins>& known, std::function<void(const QMargins&)> told)
{
    std::unique_ptr<X11Connection> x11 = X11Connection::ofQt();
    if (!x11)
        return;
    // One watch a window: a window shown again replaces the watch it had.
    delete window.findChild<QObject*>(QLatin1String(FrameToldWatch::kObjectName), Qt::FindDirectChildrenOnly);
    new FrameToldWatch(window, std::move(x11), known, std::move(told));
}

}  // namespace quartet
