// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The one line that the program prints, with status 1, when its window
// cannot open.
namespace quartet::startupTexts {

// Why the window cannot be opened, and how to open it on a virtual display.
inline const QString kNoDisplaySet = QStringLiteral("无法打开窗口：DISPLAY 和 WAYLAND_DISPLAY 都未设置");
inline QString cannotOpenX(const QString& display)
{
    return QStringLiteral("无法打开窗口：连接 X 显示 %1 失败").arg(display);
}
inline QString cannotOpenWayland(const QString& display)
{
    return QStringLiteral("无法打开窗口：连接 Wayland 显示 %1 失败").arg(display);
}
inline QString cannotOpenEither(const QString& x, const QString& wayland)
{
    return QStringLiteral("无法打开窗口：连接 X 显示 %1 和 Wayland 显示 %2 均失败").arg(x, wayland);
}
inline QString noDisplayLine(const QString& problem, const QString& program)
{
    return QStringLiteral("quartet: %1；如需在虚拟显示上运行：xvfb-run -a %2").arg(problem, program);
}
// The display opens, but Qt's platform does not start on it.
inline const QString kQtPlatformFailed = QStringLiteral("无法打开窗口：Qt 的图形平台无法启动");
inline QString qtCannotUseWayland(const QString& display)
{
    return QStringLiteral("无法打开窗口：Qt 无法在 Wayland 显示 %1 上启动（未安装 Qt 的 Wayland 插件？）").arg(display);
}
// A platform named with -platform or in QT_QPA_PLATFORM does not start.
inline QString namedPlatformFailed(const QString& platform, const QString& namedBy)
{
    return QStringLiteral("quartet: 无法打开窗口：%2 指定的图形平台“%1”无法启动").arg(platform, namedBy);
}

}  // namespace quartet::startupTexts
