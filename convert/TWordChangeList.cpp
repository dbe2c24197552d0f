#include "convert/TWordChangeList.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TWordChangeList::TWordChangeList()
    : ToolWindow(u"WordChangeList"_s, u"ユーザ変換リスト"_s, 0x2000, Qt::Window)
{
    auto *layout = new QVBoxLayout(this);
    WordList = new QTableWidget(0, 2, this);
    WordList->setObjectName(u"WordList"_s);
    WordList->setHorizontalHeaderLabels({u"変換（前）"_s, u"変換（後）"_s});
    WordList->verticalHeader()->hide();
    WordList->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(WordList);
    layout->addWidget(new QLabel(u"新しい行を追加する場合、最終行でカーソルキー（↓）を押してください。"_s, this));
}
