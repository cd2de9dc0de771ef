// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ApplicationSetup.h"

#include "app/QtTranslations.h"
#include "assets/Assets.h"
#include "desktop/windows/FixedSizeWindows.h"
#include "desktop/windows/WindowPlacement.h"
#include "game/RandomSource.h"
#include "quartet/ProgramInfo.h"
#include "ui/LineEditAccessible.h"
#include "ui/ReadableSelection.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QIcon>

#include <utility>

namespace quartet {

void prepareApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(program::kName));
    QApplication::setApplicationVersion(QString::fromLatin1(program::kVersion));
    // Docks and Wayland compositors match the windows to the desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(program::kDesktopId));
    if (!installQtTranslations())
        qWarning("quartet: Qt's Chinese translations (qtbase_zh_CN) are not installed");
    ReadableSelection::watch();
    FixedSizeWindows::watch();
    LineEditAccessible::install();
    initAssets();
    // The pixel art at 16 and 32 pixels, and the icon drawn for 48 and 64, so
    // that the About dialog's 32-pixel icon is sharp on a scaled screen too.
    QIcon icon(QStringLiteral(":/quartet.ico"));
    for (const int size : {48, 64})
        icon.addFile(QStringLiteral(":/quartet-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
}

int runMainWindow(std::unique_ptr<SettingsStore> store)
{
    prepareApplication();
    frmMain window({std::move(store), nullptr, std::make_unique<ClockRandomSource>()});
    centerOnScreen(window);
    window.show();
    return QApplication::exec();
}

}  // namespace quartet
