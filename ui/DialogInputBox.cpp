// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DialogInputBox.h"

#include "ui/DialogTexts.h"
#include "ui/WindowPlacement.h"

#include <QInputDialog>

namespace quartet {

QString DialogInputBox::ask(const QString& prompt, const QString& title, const QString& defaultText)
{
    OwnerCentred<QInputDialog> dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(dialogTexts::kOk);
    dialog.setCancelButtonText(dialogTexts::kCancel);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

}  // namespace quartet
