// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The buttons of the message boxes and of the settings input box. The boxes
// set them themselves rather than take Qt's standard texts: a desktop's
// platform theme (KDE's) hands Qt those in the desktop's language, past
// Qt's Chinese translation.
namespace quartet::dialogTexts {

inline const QString kOk = QStringLiteral("确定");
inline const QString kCancel = QStringLiteral("取消");

}  // namespace quartet::dialogTexts
