// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ApplicationSetup.h"

#include "assets/Assets.h"
#include "quartet/ProgramInfo.h"
#include "ui/FixedSizeWindows.h"
#include "ui/QtTranslations.h"
#include "ui/ReadableSelection.h"

#include <QApplication>
#include <QIcon>

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
    initAssets();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quartet.ico")));
}

}  // namespace quartet
