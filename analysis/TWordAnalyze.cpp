#include "analysis/TWordAnalyze.h"

#include <QCheckBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TWordAnalyze::TWordAnalyze()
    : ToolWindow(u"WordAnalyze"_s, u"言語分析"_s, 0x0002, Qt::Window)
{
    auto *layout = new QVBoxLayout(this);
    ActivePat = new QCheckBox(u"活用形で表示"_s, this);
    ActivePat->setObjectName(u"ActivePat"_s);
    layout->addWidget(ActivePat);
    layout->addStretch(1);
}
