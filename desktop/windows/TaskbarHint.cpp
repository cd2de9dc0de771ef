// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/windows/TaskbarHint.h"

#include "desktop/windows/X11Connection.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <array>

namespace quartet {

namespace {

void skipX11Taskbar(xcb_connection_t* connection, QWidget& window)
{
    // Before the window is mapped the client owns _NET_WM_STATE; Qt adds its
    // own states to what it finds there when it maps the window.
    const std::array states{x11Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                        x11Atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, states.size(), states.data());
}

// The window belongs to the owner until the owner hides.
void belongToWhileShown(QWidget& window, const QWidget* owner)
{
    window.winId();  // makes the window's handle
    QWindow* handle = window.windowHandle();
    QWindow* ownerHandle = owner != nullptr && owner->isVisible() ? owner->windowHandle() : nullptr;
    handle->setTransientParent(ownerHandle);
    if (ownerHandle == nullptr)
        return;
    QObject::connect(
        ownerHandle, &QWindow::visibleChanged, handle,
        [handle](bool visible) {
            if (!visible)
                handle->setTransientParent(nullptr);
        },
        Qt::SingleShotConnection);
}

}  // namespace

bool canSkipTaskbar()
{
    return x11Connection() != nullptr;
}

void skipTaskbar(QWidget& window, const QWidget* owner)
{
    if (xcb_connection_t* connection = x11Connection())
        skipX11Taskbar(connection, window);
    else if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        belongToWhileShown(window, owner);
}

}  // namespace quartet
