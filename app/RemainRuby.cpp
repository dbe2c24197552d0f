// The ruby commands: a ruby code by hand (Edit › IPtalk制御記号 and the
// context menu) and furigana for the whole roll (Tool › 作成支援), for the
// school year chosen under Set › ふりがなの学年.
#include "app/Remain.h"

#include "analysis/RubyCommands.h"
#include "analysis/TSetChasen.h"
#include "app/AppWindows.h"

#include <QAction>

void TForm1::Rubi2Click() { rubyForSelection(rollAccess()); }
void TForm1::Rubi3Click()
{
    furiganaForRoll(rollAccess(), wordAnalysis(), SetChasen->analyserSettings(), furiganaGrade());
}

int TForm1::furiganaGrade() const
{
    for (qsizetype grade = 0; grade < FuriganaGrades.size(); ++grade) {
        if (FuriganaGrades.at(grade)->isChecked())
            return int(grade);
    }
    return 0;
}

void TForm1::setFuriganaGrade(int grade)
{
    FuriganaGrades.value(grade, FuriganaGrades.first())->setChecked(true);
}
