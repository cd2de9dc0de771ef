// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quartet/ProgramInfo.h"

#include <QString>

// Every text that the About dialog shows.
namespace quartet::aboutTexts {

inline const QString kCaption = QStringLiteral("关于Quartet");
inline const QString kTitle = QString::fromLatin1(program::kName);
inline const QString kOk = QStringLiteral("确定");
inline const QString kSysInfo = QStringLiteral("系统信息(&S)...");
inline const QString kHobby = QStringLiteral("纯属个人爱好。 欢迎访问：");
inline const QString kWebAddress = QStringLiteral("https://quartet.example.org/");
inline const QString kDescription = QStringLiteral("开发：Quartet 小组（Quartet 项目）");
inline const QString kDisclaimer = QStringLiteral("    ");
inline const QString kIconName = QStringLiteral("Quartet的图标");  // for screen readers

// The title of message boxes that name none of their own.
inline const QString kMessageTitle = QString::fromLatin1(program::kName);

// "版本 " and the version's three numbers, without leading zeros or blanks.
inline QString versionText(int major, int minor, int revision)
{
    return QStringLiteral("版本 %1.%2.%3").arg(major).arg(minor).arg(revision);
}

}  // namespace quartet::aboutTexts
