// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MessageBox.h"

#include "desktop/windows/WindowPlacement.h"
#include "ui/DialogTexts.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>

namespace quartet {

namespace {

// The window manager draws the title between the window icon and three
// title-bar buttons, mostly in bold. A box only as wide as a short message
// has its title cut ("Q… t"), so the box is made wide enough for the title,
// as the system's own message boxes are on Windows.
void makeRoomForTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    constexpr int kTitleBarParts = 5;  // icon, three buttons and the margins
    const int titleBarHeight = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarParts * titleBarHeight;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

void showMessageBox(QWidget* parent, const QString& title, const QString& text)
{
    OwnerCentred<QMessageBox> box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(dialogTexts::kOk);
    makeRoomForTitle(box);
    box.exec();
    // The focus goes back to the window the box was opened from. Window
    // managers that leave a window kept off the task bar out of their focus
    // order (openbox, xfwm4) would hand it to the main window instead.
    QWidget* owner = parent != nullptr ? parent->window() : nullptr;
    if (owner != nullptr && owner->isVisible())
        owner->activateWindow();
}

}  // namespace quartet
