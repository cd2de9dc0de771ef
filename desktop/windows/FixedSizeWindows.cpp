// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/windows/FixedSizeWindows.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace quartet {

namespace {

constexpr char kWatched[] = "quartetFixedSizeWatched";
// Set from a maximise of a fixed window until the window is normal again.
constexpr char kReturning[] = "quartetFixedSizeReturning";

bool isFixedWindow(const QWidget& widget)
{
    return widget.isWindow() && widget.windowHandle() != nullptr && widget.minimumSize() == widget.maximumSize();
}

bool isReturning(const QWidget& widget)
{
    return widget.isWindow() && widget.windowHandle() != nullptr
        && widget.windowHandle()->property(kReturning).toBool();
}

// A size or a state has come while the window returns. Asking to be normal
// before the compositor's maximised size has come would not do, nor taking
// the own size again before the compositor's normal one has: until the
// compositor answers, the window has to keep the size it has agreed to, or
// weston ends the program.
void settle(QWidget& widget, bool sizeCame)
{
    QWindow& window = *widget.windowHandle();
    if (window.windowStates() & Qt::WindowMaximized) {
        QMetaObject::invokeMethod(
            &window, [&window] { window.setWindowStates(window.windowStates() & ~Qt::WindowMaximized); },
            Qt::QueuedConnection);
        return;
    }
    if (!sizeCame && window.size() != widget.maximumSize())
        return;
    // The compositor has put the window back to normal: fixed again, at its own size.
    window.setProperty(kReturning, false);
    window.setMaximumSize(widget.maximumSize());
    widget.resize(widget.maximumSize());
}

}  // namespace

void FixedSizeWindows::watch()
{
    if (qApp->findChild<FixedSizeWindows*>())
        return;
    qApp->installEventFilter(new FixedSizeWindows(qApp));
}

bool FixedSizeWindows::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    auto& widget = static_cast<QWidget&>(*watched);
    if (event->type() == QEvent::Show)
        follow(widget);
    else if ((event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange) && isReturning(widget))
        settle(widget, event->type() == QEvent::Resize);
    return false;
}

void FixedSizeWindows::follow(QWidget& widget)
{
    QWindow* window = widget.isWindow() ? widget.windowHandle() : nullptr;
    if (window == nullptr || window->property(kWatched).toBool())
        return;
    window->setProperty(kWatched, true);
    // The signal comes as the maximise is asked for, before the compositor
    // answers with the maximised size, which the window must then be free to
    // take; or as the compositor maximises the window by itself. Once that
    // size has come, the window asks to be normal again (settle above).
    connect(window, &QWindow::windowStateChanged, &widget, [&widget](Qt::WindowState state) {
        if (state != Qt::WindowMaximized || !isFixedWindow(widget))
            return;
        QWindow& window = *widget.windowHandle();
        window.setProperty(kReturning, true);
        window.setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        // Some platforms have given the window its new size already.
        if (window.size() != widget.maximumSize())
            settle(widget, true);
    });
}

}  // namespace quartet
