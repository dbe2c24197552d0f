// The Help menu: the manual in the program's own help window, and the about box.
#include "app/Remain.h"

#include "app/AppWindows.h"
#include "app/HelpManual.h"
#include "app/TAboutBox.h"
#include "app/THelpWindow.h"
#include "platform/Prompter.h"

#include <QCoreApplication>
#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// The help window, made when first asked for and owned by the main window.
THelpWindow *helpWindowOf(TForm1 *form)
{
    auto *window = form->findChild<THelpWindow *>(QString(), Qt::FindDirectChildrenOnly);
    return window ? window : new THelpWindow(form);
}

void openManual(TForm1 *form, const QString &section)
{
    const QStringList folders = manualSearchFolders(QCoreApplication::applicationDirPath());
    const QString manual = findManual(folders);
    if (manual.isEmpty()) {
        QStringList searched;
        for (const QString &folder : folders)
            searched << QDir::toNativeSeparators(QDir(folder).filePath(QString::fromUtf16(kManualPage)));
        showMessage(u"マニュアルが見つかりません。次の場所を探しました。\r\n"_s + searched.join(u"\r\n"_s),
                    u"マニュアル"_s, MsgIcon::Warning);
        return;
    }
    helpWindowOf(form)->showManual(manual, section);
}

} // namespace

void TForm1::SupportSite1Click()
{
    // No web site: how to get help and report a problem is the manual's
    // troubleshooting section.
    openManual(this, QString::fromUtf16(kManualTroubleshooting));
}

void TForm1::Manual1Click()
{
    openManual(this, QString());
}
