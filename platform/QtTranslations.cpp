#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool installQtTranslations()
{
    QCoreApplication *app = QCoreApplication::instance();
    const QString name = u"qtbase_ja"_s;
    if (!app || app->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly))
        return app != nullptr;
    auto *translator = new QTranslator(app);
    translator->setObjectName(name);
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
