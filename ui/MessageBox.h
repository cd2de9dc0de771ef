#pragma once

#include <QString>

class QWidget;

namespace quartet {

// The text of the OK button of the program's message and input boxes.
inline const QString kOkButtonText = QStringLiteral("确定");
inline const QString kCancelButtonText = QStringLiteral("取消");

// A modal message box with an OK button and no icon; returns when the
// player closes it.
void showMessageBox(QWidget* parent, const QString& title, const QString& text);

}  // namespace quartet
