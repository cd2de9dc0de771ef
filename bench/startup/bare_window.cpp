// SPDX-License-Identifier: GPL-3.0-or-later
// The floor that the start-up benchmark compares the program with: a bare
// Qt Widgets window, an empty QMainWindow with one menu, of the program's
// size. Ctrl+X quits it, as it quits the program, so that the benchmark can
// end both the same way.

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&File"));
    QAction* quit = menu->addAction(QStringLiteral("E&xit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    QObject::connect(quit, &QAction::triggered, &app, &QApplication::quit);
    window.resize(438, 348);
    window.show();
    return QApplication::exec();
}
