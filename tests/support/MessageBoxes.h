// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>

#include <functional>

namespace quartet::test {

// Runs `action` and hands the first modal dialog that it opens to
// `inspect`, then closes that dialog (OK where it has one, else Cancel).
void inspectModalDialog(const std::function<void()>& action, const std::function<void(QDialog&)>& inspect);

// What a modal message box showed.
struct SeenMessageBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString okText;
};

// Makes `window` the active window, as a click on it would, and waits
// until the platform has activated it; false if it never does.
bool makeActive(QWidget* window);

// Runs `action` and answers the first modal message box that it opens by
// pressing its OK button, reporting what the box showed.
SeenMessageBox answerMessageBox(const std::function<void()>& action);

}  // namespace quartet::test
