#include "app/HelpManual.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QStringList manualSearchFolders(const QString &programFolder)
{
    QStringList folders;
    const QString chosen = qEnvironmentVariable("VELMAT_MANUAL_DIR");
    if (!chosen.isEmpty())
        folders << QDir::cleanPath(chosen);
    const QDir program(programFolder);
    // Installed: bin/velmat and share/doc/velmat/manual under one prefix.
    folders << QDir::cleanPath(program.filePath(u"../share/doc/velmat/manual"_s));
    // Built: build/app/velmat and build/manual.
    folders << QDir::cleanPath(program.filePath(u"../manual"_s));
    return folders;
}

QString findManual(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QFileInfo page(QDir(folder).filePath(QString::fromUtf16(kManualPage)));
        if (page.isFile() && page.isReadable())
            return page.absoluteFilePath();
    }
    return {};
}
