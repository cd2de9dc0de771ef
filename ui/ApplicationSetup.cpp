#include "ui/ApplicationSetup.h"

#include "assets/Assets.h"

#include <QApplication>
#include <QIcon>

namespace quartet {

void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quartet"));
    initAssets();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quartet.ico")));
}

}  // namespace quartet
