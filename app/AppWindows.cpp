#include "app/AppWindows.h"
#include "app/RollEditor.h"
#include "app/WorkSuspend.h"

#include "analysis/TRollAdvice.h"
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/FindDialogs.h"
#include "app/Remain.h"
#include "widgets/StartupMask.h"
#include "app/TAboutBox.h"
#include "convert/TReplaceSet.h"
#include "convert/TWordChangeList.h"
#include "join/TJoinFile.h"
#include "lists/LineLists.h"
#include "lists/TFindList.h"
#include "lists/TMsgList.h"
#include "print/TSetPrinterSetup.h"
#include "reshape/TCaptionPreview.h"
#include "reshape/TSetCheck.h"
#include "reshape/TWordDic.h"
#include "send/TRollInput.h"
#include "settings/TBackupLoader.h"
#include "settings/TDebugConsole.h"
#include "slides/TSlideSetWnd.h"
#include "slides/TSlideWindow.h"

#include "widgets/ToolWindow.h"
#include "widgets/WindowPlacement.h"

#include <QDir>
#include <QLineEdit>

TAboutBox *AboutBox = nullptr;
TSetPrinterSetup *SetPrinterSetup = nullptr;
TSetCheck *SetCheck = nullptr;
TJoinFile *JoinFile = nullptr;
TMsgList *MsgList = nullptr;
TFindList *FindList = nullptr;
TWordAnalyze *WordAnalyze = nullptr;
TSetChasen *SetChasen = nullptr;
TRollAdvice *RollAdvice = nullptr;
TReplaceSet *ReplaceSet = nullptr;
TRollInput *RollInput = nullptr;
TWordDic *WordDic = nullptr;
TWordChangeList *WordChangeList = nullptr;
TSlideWindow *SlideWindow = nullptr;
TDebugConsole *DebugConsole = nullptr;
TSlideSetWnd *SlideSetWnd = nullptr;
TBackupLoader *BackupLoader = nullptr;

namespace {
QString g_workingFolder;
}

QString workingFolder()
{
    return g_workingFolder;
}

namespace {

// The tool windows in the order they are created.
QList<QWidget *> toolWindows()
{
    return {AboutBox, SetPrinterSetup, SetCheck, JoinFile, MsgList, FindList, WordAnalyze,
            SetChasen, RollAdvice, ReplaceSet, RollInput, WordDic, WordChangeList, SlideWindow,
            DebugConsole, SlideSetWnd, BackupLoader};
}

// Each tool window's first place, beside the main window and cascaded, so that
// none starts at the screen's corner on top of the others (the settings file
// keeps these places when it has none of its own). A window the settings do
// not move goes beside the main window again where that stands when it is
// first shown.
void placeToolWindows()
{
    const QList<QRect> screens = availableScreenAreas();
    const QRect mainFrame = Form1->frameGeometry();
    int index = 0;
    for (QWidget *w : toolWindows()) {
        const QPoint place = defaultToolWindowPosition(mainFrame, outerSize(w), index++, screens);
        if (auto *tool = qobject_cast<ToolWindow *>(w))
            tool->placeBeside([] { return Form1->frameGeometry(); }, place);
        else
            w->move(place);
    }
}

} // namespace

void keepAppWindowsOnScreen()
{
    const QList<QRect> screens = availableScreenAreas();
    QList<QWidget *> windows = toolWindows();
    windows.prepend(Form1);
    for (QWidget *w : windows) {
        if (!w)
            continue;
        const QRect frame(w->frameGeometry().topLeft(), outerSize(w));
        const QPoint place = onScreenPosition(frame, screens);
        if (place != frame.topLeft())
            w->move(place);
    }
}

void createAppWindows()
{
    g_workingFolder = QDir::currentPath();
    resetStartupMask();
    Form1 = new TForm1;
    AboutBox = new TAboutBox;
    SetPrinterSetup = new TSetPrinterSetup(Form1->currentPrinter());
    SetCheck = new TSetCheck;
    // The preview measures as the width check does, with its settings as they change.
    Form1->CaptionPreview->setSettings(SetCheck->settings());
    QObject::connect(SetCheck, &TSetCheck::settingsChanged, Form1->CaptionPreview, &TCaptionPreview::setSettings);
    JoinFile = new TJoinFile(Form1->rollAccess(), [] { return SetChasen->xdoc2txt->text(); });
    MsgList = new TMsgList(Form1->rollAccess());
    FindList = new TFindList(Form1->rollAccess());
    MsgList->setResultList(FindList);
    WordAnalyze = new TWordAnalyze(
        Form1->rollAccess(), Form1->wordAnalysis(),
        {.settings = [] { return SetChasen->analyserSettings(); },
         .showLines = [](const QString &caption, const QStringList &entries) { FindList->showLines(caption, entries); },
         .findWord =
             [](const QString &word) {
                 Form1->FindDialog1->setFindText(word);
                 Form1->SearchClick();
             }});
    SetChasen = new TSetChasen;
    RollAdvice = new TRollAdvice(Form1->rollAccess(), Form1->wordAnalysis(),
                                 [] { return SetChasen->analyserSettings(); },
                                 [](const QString &caption, const QList<int> &lineIndexes) {
                                     const QStringList lines = Form1->rollAccess().lines();
                                     QStringList entries;
                                     for (const int i : lineIndexes)
                                         entries << resultEntry(i, lines.at(i));
                                     FindList->showLines(caption, entries);
                                 });
    ReplaceSet = new TReplaceSet(Form1->rollAccess());
    RollInput = new TRollInput(Form1->rollAccess());
    WordDic = new TWordDic;
    WordChangeList = new TWordChangeList;
    ReplaceSet->setChangeList(WordChangeList);
    SlideWindow = new TSlideWindow(Form1->rollAccess());
    DebugConsole = new TDebugConsole;
    SlideSetWnd = new TSlideSetWnd;
    BackupLoader = new TBackupLoader;
    BackupLoader->setLinks({.folder = [] { return Form1->workSuspend().autosaveFolder(); },
                            .editorFont = [] { return Form1->RichEdit1->font(); },
                            .editorBackground = [] { return Form1->RichEdit1->palette().color(QPalette::Base); },
                            .takeUp = [](const QString &path) { Form1->takeUpCopy(path); }});
    keepAppWindowsOnScreen(); // the main window, centred, may be taller than a small screen
    placeToolWindows();
}

namespace {
template <typename T>
void destroy(T *&window)
{
    delete window;
    window = nullptr;
}
} // namespace

void destroyAppWindows()
{
    destroy(BackupLoader);
    destroy(SlideSetWnd);
    destroy(DebugConsole);
    destroy(SlideWindow);
    destroy(WordChangeList);
    destroy(WordDic);
    destroy(RollInput);
    destroy(ReplaceSet);
    destroy(RollAdvice);
    destroy(SetChasen);
    destroy(WordAnalyze);
    destroy(FindList);
    destroy(MsgList);
    destroy(JoinFile);
    destroy(SetCheck);
    destroy(SetPrinterSetup);
    destroy(AboutBox);
    destroy(Form1);
}
