#include "ui/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace quartet {

void showMessageBox(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(kOkButtonText);
    box.exec();
}

}  // namespace quartet
