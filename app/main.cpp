#include "app/AppWindows.h"
#include "app/LastWords.h"
#include "app/WorkSuspend.h"
#include "app/Remain.h"
#include "platform/Fonts.h"
#include "platform/QtPrintDialogs.h"
#include "platform/QtPrinterCatalog.h"
#include "platform/QtColourDialog.h"
#include "platform/QtPrompter.h"
#include "platform/QtTranslations.h"
#include "settings/TDebugConsole.h"

#include <QApplication>
#include <QIcon>
#include <QSessionManager>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    VelmatApplication app(argc, argv);
    QApplication::setApplicationName(u"前ロールエディタ　Velmat"_s);
    QApplication::setApplicationVersion(QStringLiteral(VELMAT_VERSION));
    QApplication::setDesktopFileName(u"velmat"_s);
    QApplication::setWindowIcon(QIcon::fromTheme(u"velmat"_s)); // installed with the program
    // The program ends with the main window, whatever tool windows are open.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
    installQtTranslations();

    QtPrompter prompter;
    Prompter::install(&prompter);
    QtColourDialog colourDialog;
    ColourDialog::install(&colourDialog);
    QtPrinterCatalog printers;
    PrinterCatalog::install(&printers);
    QtPrintDialogs printDialogs;
    PrintDialogs::install(&printDialogs);

    createAppWindows();
    app.setUnhandledErrorSink([](const QString &message) { DebugConsole->addError(message); });
    installLastWords([] { Form1->workSuspend().writeRescueCopy(); });
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        Form1->setCommandLineFile(args.at(1));
    QObject::connect(Form1, &TForm1::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    // Logging out of the desktop asks about the roll as closing the window does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, Form1, [](QSessionManager &session) {
        if (!Form1->mayEndSession(session.allowsInteraction()))
            session.cancel();
    });
    Form1->show();
    const int code = QApplication::exec();
    destroyAppWindows();
    return code;
}
