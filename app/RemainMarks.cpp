// Tool › 作成支援 › 品詞をマーク: the nouns and verbs of the roll marked in the view.
#include "app/Remain.h"

#include "analysis/PartOfSpeechMarking.h"
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/AppWindows.h"

#include <QCheckBox>

void TForm1::PaternMark1Click()
{
    markPartsOfSpeech(rollAccess(), wordAnalysis(), SetChasen->analyserSettings(), WordAnalyze->ActivePat->isChecked());
}
