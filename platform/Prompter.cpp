#include "platform/Prompter.h"

#include "platform/ScriptedPrompter.h"

#include <QFileInfo>

namespace {
Prompter *g_prompter = nullptr;
}

Prompter::~Prompter() = default;

Prompter &Prompter::instance()
{
    // Without a GUI prompter (velmat-tool, tests that forgot one) nothing may
    // block on a dialog: fall back to a prompter that answers the defaults.
    if (!g_prompter) {
        static ScriptedPrompter fallback;
        return fallback;
    }
    return *g_prompter;
}

Prompter *Prompter::install(Prompter *prompter)
{
    Prompter *previous = g_prompter;
    g_prompter = prompter;
    return previous;
}

QString dialogFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        filters.append(parts.at(i) + QLatin1String(" (") + patterns + u')');
    }
    return filters.join(QLatin1String(";;"));
}

QString withDefaultSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + suffix;
}
