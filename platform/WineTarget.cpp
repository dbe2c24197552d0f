#include "platform/WineTarget.h"

#include <QFileInfo>

namespace {
QString variable(const QStringList &environment, const QString &name)
{
    for (const QString &entry : environment) {
        if (entry.size() > name.size() && entry.startsWith(name) && entry[name.size()] == u'=')
            return entry.mid(name.size() + 1);
    }
    return {};
}

bool wineLoaderFile(const QString &executable)
{
    // wine, wine64, wine-preloader, wine64-preloader
    const QString name = QFileInfo(executable).fileName();
    return name == u"wine" || name == u"wine64" || name == u"wine-preloader"
           || name == u"wine64-preloader";
}
} // namespace

WineTarget wineTargetFrom(const WineTargetFacts &facts)
{
    WineTarget target;
    const QString loaderVariable = variable(facts.environment, QStringLiteral("WINELOADER"));
    if (!facts.executable.isEmpty() || !facts.environment.isEmpty()) {
        target.wine = wineLoaderFile(facts.executable) || !loaderVariable.isEmpty();
    } else {
        target.wine = facts.wmClassName.toLower().endsWith(".exe")
                      || facts.wmClassClass.toLower().endsWith(".exe");
    }
    if (!target.wine)
        return target;
    // The target's own loader, so that the bridge talks to the same wineserver
    // (another Wine version would not); "wine" from PATH when unknown.
    // A preloader is no loader of its own.
    const QString file = QFileInfo(facts.executable).fileName();
    target.loader = !loaderVariable.isEmpty()              ? loaderVariable
                    : file == u"wine" || file == u"wine64" ? facts.executable
                                                           : QStringLiteral("wine");
    target.prefix = variable(facts.environment, QStringLiteral("WINEPREFIX"));
    for (const char *name : {"LANG", "LC_ALL", "LC_CTYPE"}) {
        const QString value = variable(facts.environment, QString::fromLatin1(name));
        if (!value.isEmpty())
            target.locale.append(QLatin1StringView(name) + u'=' + value);
    }
    return target;
}
