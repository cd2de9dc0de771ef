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
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace quartet {

namespace {

// Window managers answer within a few milliseconds; one that is stuck only
// delays the window this long, and the window then opens where it would
// have without knowing its frame.
constexpr int kAnswerWaitMs = 250;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

ReplyPtr<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                            xcb_atom_t type, std::uint32_t longs)
{
    return {xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, name, type, 0, longs), nullptr),
            &std::free};
}

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window)
{
    const ReplyPtr<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr), &std::free);
    return tree ? tree->root : xcb_window_t{XCB_WINDOW_NONE};
}

// The features the window manager announces; none without one.
std::optional<std::vector<xcb_atom_t>> windowManagerFeatures(xcb_connection_t* connection, xcb_window_t root)
{
    constexpr std::uint32_t kEnoughAtoms = 1024;
    const auto supported =
        property(connection, root, x11Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, kEnoughAtoms);
    if (!supported || supported->format != 32 || supported->type != XCB_ATOM_ATOM)
        return std::nullopt;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
    return std::vector<xcb_atom_t>(atoms, atoms + supported->value_len);
}

std::optional<QMargins> readExtents(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t extents)
{
    const auto reply = property(connection, window, extents, XCB_ATOM_CARDINAL, 4);
    if (!reply || reply->format != 32 || reply->value_len != 4)
        return std::nullopt;
    // Left, right, top, bottom.
    const auto* sides = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const auto side = [sides](int index) { return static_cast<int>(sides[index]); };
    return QMargins(side(0), side(2), side(1), side(3));
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
    FrameToldWatch(QWidget& window, xcb_connection_t* connection, const std::optional<QMargins>& known,
                   std::function<void(const QMargins&)> told)
        : QObject(&window), m_connection(connection), m_window(static_cast<xcb_window_t>(window.winId())),
          m_extents(x11Atom(connection, "_NET_FRAME_EXTENTS")), m_known(known), m_told(std::move(told)),
          m_watch(m_window, m_extents, [this] { frameChanged(); })
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
        const std::optional<QMargins> frame = readExtents(m_connection, m_window, m_extents);
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

    xcb_connection_t* m_connection;
    xcb_window_t m_window;
    xcb_atom_t m_extents;
    std::optional<QMargins> m_known;
    std::function<void(const QMargins&)> m_told;
    PropertyChangeWatch m_watch;
};

void askForExtents(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window, xcb_atom_t request)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

}  // namespace

std::optional<QMargins> frameExtents(QWidget& window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return QMargins();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = rootOf(connection, id);
    if (root == XCB_WINDOW_NONE)
        return QMargins();
    const auto features = windowManagerFeatures(connection, root);
    if (!features)
        return QMargins();
    const xcb_atom_t request = x11Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = x11Atom(connection, "_NET_FRAME_EXTENTS");
    if (std::find(features->begin(), features->end(), request) != features->end()) {
        // Nothing the player does is handled while the loop runs.
        QEventLoop loop;
        const PropertyChangeWatch watch(id, extents, [&loop] { loop.quit(); });
        askForExtents(connection, root, id, request);
        QTimer::singleShot(kAnswerWaitMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // Also what a window manager told when the window was shown before.
    return readExtents(connection, id, extents);
}

void whenFrameTold(QWidget& window, const std::optional<QMargins>& known, std::function<void(const QMargins&)> told)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    // One watch a window: a window shown again replaces the watch it had.
    delete window.findChild<QObject*>(QLatin1String(FrameToldWatch::kObjectName), Qt::FindDirectChildrenOnly);
    new FrameToldWatch(window, connection, known, std::move(told));
}

}  // namespace quartet
