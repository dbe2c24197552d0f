// Menu commands that show a tool window.
#include "app/Remain.h"

#include "analysis/TRollAdvice.h"
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/AppWindows.h"
#include "app/TAboutBox.h"
#include "convert/TReplaceSet.h"
#include "lists/TFindList.h"
#include "lists/TMsgList.h"
#include "reshape/TSetCheck.h"
#include "reshape/TWordDic.h"
#include "send/TRollInput.h"
#include "settings/TBackupLoader.h"
#include "slides/TSlideWindow.h"

#include <QAction>

void TForm1::Analyze1Click() { WordAnalyze->showTool(); }
void TForm1::Analyze4Click() { WordAnalyze->showTool(); }
void TForm1::Name1Click() { MsgList->showTool(); }
void TForm1::Name2Click() { MsgList->showTool(); }
void TForm1::Replace3Click() { ReplaceSet->showTool(); }
void TForm1::SlideEditor1Click() { SlideWindow->showTool(); }
void TForm1::Advice1Click() { RollAdvice->showTool(); }
void TForm1::Advice2Click() { RollAdvice->showTool(); }
void TForm1::Input2Click() { RollInput->showTool(); }
void TForm1::InputAssist1Click() { RollInput->showTool(); }
void TForm1::Check1Click() { SetCheck->showTool(); }
void TForm1::Window3Click() { SetCheck->showTool(); }
void TForm1::Analyze3Click() { SetChasen->showTool(); }
void TForm1::Analyze2Click() { SetChasen->showTool(); }
void TForm1::WordDictionary1Click() { WordDic->showTool(); }
void TForm1::FindListup2Click() { FindList->showTool(); }
void TForm1::BackupFormClick() { BackupLoader->showTool(); }
void TForm1::About1Click() { AboutBox->showTool(); }
