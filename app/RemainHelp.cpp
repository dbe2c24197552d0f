// The Help menu.
#include "app/Remain.h"

#include "app/AppWindows.h"
#include "app/TAboutBox.h"
#include "platform/Prompter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

void TForm1::SupportSite1Click()
{
    // No support site is published yet: the about box tells where help is.
    AboutBox->showTool();
}

void TForm1::Manual1Click()
{
    const QString manual = QDir(workingFolder()).filePath(u"Velmat.pdf"_s);
    if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        showMessage(u"マニュアルを開けません。\r\n"_s + QDir::toNativeSeparators(manual), u"マニュアル"_s,
                    MsgIcon::Warning);
}
