// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FixedSizeWindows.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace quartet {

namespace {

constexpr char kWatched[] = "quartetFixedSizeWatched";

bool isFixedWindow(const QWidget& widget)
{
    return widget.isWindow() && widget.windowHandle() != nullptr && widget.minimumSize() == widget.maximumSize();
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
    // The compositor has put the window back to normal: fixed again.
    if (event->type() == QEvent::WindowStateChange && !widget.isMaximized() && isFixedWindow(widget))
        widget.windowHandle()->setMaximumSize(widget.maximumSize());
    return false;
}

void FixedSizeWindows::follow(QWidget& widget)
{
    QWindow* window = widget.isWindow() ? widget.windowHandle() : nullptr;
    if (window == nullptr || window->property(kWatched).toBool())
        return;
    window->setProperty(kWatched, true);
    // The signal comes as the maximise is asked for, before the compositor
    // answers with the maximised size, which the window must then be free to take.
    connect(window, &QWindow::windowStateChanged, &widget, [&widget](Qt::WindowState state) {
        if (state == Qt::WindowMaximized && isFixedWindow(widget))
            widget.windowHandle()->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    });
}

}  // namespace quartet
