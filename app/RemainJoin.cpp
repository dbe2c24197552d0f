// Joining rolls and taking the check settings from IPtalk: the work is in the
// join and check settings windows.
#include "app/Remain.h"

#include "app/AppWindows.h"
#include "join/TJoinFile.h"
#include "reshape/TSetCheck.h"

void TForm1::N12Click() { JoinFile->showTool(); }
void TForm1::Joint1Click() { JoinFile->showTool(); }
void TForm1::IPtalkInport1Click() { SetCheck->importIPtalkSettings(); }
