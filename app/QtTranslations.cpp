// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace quartet {

bool installQtTranslations()
{
    const QString name = QStringLiteral("qtbase");
    QCoreApplication* application = QCoreApplication::instance();
    if (application->findChild<QTranslator*>(name))
        return true;
    auto translator = std::make_unique<QTranslator>();
    translator->setObjectName(name);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), name, QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    translator->setParent(application);
    return QCoreApplication::installTranslator(translator.release());
}

}  // namespace quartet
