// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DialogInputBox.h"

#include "ui/DialogTexts.h"
#include "ui/WindowPlacement.h"

#include <QInputDialog>

namespace quartet {

namespace {

// An input box that stands centred on the window it belongs to.
class OwnerCentredInput : public QInputDialog {
public:
    using QInputDialog::QInputDialog;

protected:
    void showEvent(QShowEvent* event) override
    {
        QInputDialog::showEvent(event);
        centerOnOwner(*this);
    }
};

}  // namespace

QString DialogInputBox::ask(const QString& prompt, const QString& title, const QString& defaultText)
{
    OwnerCentredInput dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(dialogTexts::kOk);
    dialog.setCancelButtonText(dialogTexts::kCancel);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

}  // namespace quartet
