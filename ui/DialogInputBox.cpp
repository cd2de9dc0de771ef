// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DialogInputBox.h"

#include "desktop/windows/WindowPlacement.h"
#include "ui/DialogTexts.h"

#include <QInputDialog>
#include <QLayout>

namespace quartet {

QString DialogInputBox::ask(const QString& prompt, const QString& title, const QString& defaultText)
{
    OwnerCentred<QInputDialog> dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(dialogTexts::kOk);
    dialog.setCancelButtonText(dialogTexts::kCancel);
    // One fixed size, as every window of the program has: window managers
    // then offer neither resizing nor maximising.
    dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
    dialog.setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

}  // namespace quartet
