#pragma once
#include <QString>

// The program's windows: one instance each, created at start in a fixed order
// and living until the end. Created and destroyed here only.
class TForm1;
class TAboutBox;
class TSetPrinterSetup;
class TSetCheck;
class TJoinFile;
class TMsgList;
class TFindList;
class TWordAnalyze;
class TSetChasen;
class TRollAdvice;
class TReplaceSet;
class TRollInput;
class TWordDic;
class TWordChangeList;
class TSlideWindow;
class TDebugConsole;
class TSlideSetWnd;
class TBackupLoader;

extern TForm1 *Form1;
extern TAboutBox *AboutBox;
extern TSetPrinterSetup *SetPrinterSetup;
extern TSetCheck *SetCheck;
extern TJoinFile *JoinFile;
extern TMsgList *MsgList;
extern TFindList *FindList;
extern TWordAnalyze *WordAnalyze;
extern TSetChasen *SetChasen;
extern TRollAdvice *RollAdvice;
extern TReplaceSet *ReplaceSet;
extern TRollInput *RollInput;
extern TWordDic *WordDic;
extern TWordChangeList *WordChangeList;
extern TSlideWindow *SlideWindow;
extern TDebugConsole *DebugConsole;
extern TSlideSetWnd *SlideSetWnd;
extern TBackupLoader *BackupLoader;

// The folder that was current when the program started.
QString workingFolder();

// Creates all windows (main window first), hidden, and remembers the working folder.
void createAppWindows();
// Destroys them in reverse order (the tool windows go with the main window).
void destroyAppWindows();

// Moves every window whose place lies off all screens (a place stored while
// another monitor was attached) back onto the nearest screen.
void keepAppWindowsOnScreen();
