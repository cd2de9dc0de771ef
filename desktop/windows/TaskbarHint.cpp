// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/windows/TaskbarHint.h"

#include "desktop/windows/X11Connection.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <array>
#include <memory>

namespace quartet {

namespace {

void skipX11Taskbar(X11Connection& x11, QWidget& window)
{
    // Before the window is mapped the client owns _NET_WM_STATE; Qt adds its
    // own states to what it finds there when it maps the window.
    std::array states{x11.ewmh()->_NET_WM_STATE_SKIP_TASKBAR};
    xcb_ewmh_set_wm_state(x11.ewmh(), static_cast<xcb_window_t>(window.winId()), states.size(), states.data());
    xcb_flush(x11.connection());
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
    return X11Connection::isQtOnX11();
}

void skipTaskbar(QWidget& window, const QWidget* owner)
{
    if (const std::unique_ptr<X11Connection> x11 = X11Connection::ofQt())
        skipX11Taskbar(*x11, window);
    else if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        belongToWhileShown(window, owner);
}

}  // namespace quartet
