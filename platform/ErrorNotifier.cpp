#include "platform/ErrorNotifier.h"

#include "platform/Prompter.h"

#include <QDir>

namespace {
QString g_logFolder;
bool g_notifying = false;
} // namespace

void setErrorLogFolder(const QString &folder)
{
    g_logFolder = folder;
}

QString errorLogPath()
{
    const QString name = QString::fromUtf16(kErrorLogName);
    return g_logFolder.isEmpty() ? QDir::current().filePath(name) : QDir(g_logFolder).filePath(name);
}

bool logError(const ErrorReport &report)
{
    QString error;
    return prependToErrorLog(errorLogPath(), errorLogEntry(report, QDateTime::currentDateTime()), &error);
}

ErrorReport raisedError(const QString &type, const QString &message)
{
    return ErrorReport{type, currentPlace(1), message, currentCallStack(1)};
}

void notifyError(const ErrorReport &report, const QString &caption)
{
    if (g_notifying)
        return;
    g_notifying = true;
    logError(report); // a log that cannot be written never hides the box
    showMessage(errorBoxText(report.message), caption.isEmpty() ? QString::fromUtf16(kApplicationTitle) : caption,
                MsgIcon::Error);
    g_notifying = false;
}
