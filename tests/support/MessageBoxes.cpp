#include "tests/support/MessageBoxes.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace quartet::testing {

SeenMessageBox answerMessageBox(const std::function<void()>& action)
{
    SeenMessageBox seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || seen.shown)
            return;
        auto* ok = box->button(QMessageBox::Ok);
        seen = {true,        box->windowTitle(),         box->text(), box->standardButtons(),
                box->icon(), ok ? ok->text() : QString()};
        if (ok)
            ok->click();
        else
            box->reject();
    });
    QWidget* active = QApplication::activeWindow();
    poll.start();
    action();
    poll.stop();
    // The offscreen platform does not hand activation back after a modal box.
    if (active)
        QApplication::setActiveWindow(active);
    return seen;
}

}  // namespace quartet::testing
