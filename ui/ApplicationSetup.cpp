#include "ui/ApplicationSetup.h"

#include "assets/Assets.h"
#include "quartet/ProgramInfo.h"
#include "ui/ReadableSelection.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quartet {

namespace {

// Qt's own texts (the buttons of message boxes, the input box's context
// menu) in Chinese, whatever the system's language: the program speaks
// Chinese only. Without the translations installed they stay in English.
void installQtTranslations()
{
    const QString name = QStringLiteral("qtbase");
    if (qApp->findChild<QTranslator*>(name))
        return;
    auto* translator = new QTranslator(qApp);
    translator->setObjectName(name);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), name, QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        qWarning("quartet: Qt's Chinese translations (qtbase_zh_CN) are not installed");
}

}  // namespace

void prepareApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(program::kName));
    QApplication::setApplicationVersion(QString::fromLatin1(program::kVersion));
    // Docks and Wayland compositors match the windows to the desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(program::kDesktopId));
    installQtTranslations();
    ReadableSelection::watch();
    initAssets();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quartet.ico")));
}

}  // namespace quartet
