// The ruby commands: a ruby code by hand (Edit › IPtalk制御記号 and the
// context menu) and furigana for the whole roll (Tool › 作成支援).
#include "app/Remain.h"

#include "analysis/RubyCommands.h"
#include "analysis/TSetChasen.h"
#include "app/AppWindows.h"

void TForm1::Rubi2Click() { rubyForSelection(rollAccess()); }
void TForm1::Rubi3Click() { furiganaForRoll(rollAccess(), wordAnalysis(), SetChasen->analyserSettings()); }
