// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/MessageBoxes.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace quartet::test {

bool makeActive(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void inspectModalDialog(const std::function<void()>& action, const std::function<void(QDialog&)>& inspect)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&seen, &inspect] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || seen)
            return;
        seen = true;
        inspect(*dialog);
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (auto* ok = box ? box->button(QMessageBox::Ok) : nullptr)
            ok->click();
        else
            dialog->reject();
    });
    QWidget* active = QApplication::activeWindow();
    poll.start();
    action();
    poll.stop();
    // The offscreen platform does not hand activation back after a modal box.
    if (active)
        makeActive(active);
}

SeenMessageBox answerMessageBox(const std::function<void()>& action)
{
    SeenMessageBox seen;
    inspectModalDialog(action, [&seen](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (!box)
            return;
        auto* ok = box->button(QMessageBox::Ok);
        seen = {true,        box->windowTitle(),         box->text(), box->standardButtons(),
                box->icon(), ok ? ok->text() : QString()};
    });
    return seen;
}

}  // namespace quartet::test
