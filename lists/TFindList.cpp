#include "lists/TFindList.h"

#include "lists/LineLists.h"
#include "roll/RollAccess.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TFindList::TFindList(RollAccess &roll)
    : ToolWindow(u"FindList"_s, u"該当行リスト"_s, 0x1000, Qt::Window),
      m_roll(roll)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addWidget(guidanceLabel(u"●ダブルクリックで、該当行にジャンプします。"_s, this));
    Listup = new QListWidget(this);
    Listup->setObjectName(u"Listup"_s);
    Listup->setFrameShape(QFrame::NoFrame);
    Listup->setUniformItemSizes(true); // long result lists stay fast
    layout->addWidget(Listup, 1);
    connect(Listup, &QListWidget::itemDoubleClicked, this, &TFindList::ListupDblClick);
    resize(504, 230);
}

void TFindList::showLines(const QString &caption, const QStringList &entries)
{
    Listup->clear();
    setWindowTitle(caption);
    Listup->addItems(entries);
    showTool();
}

void TFindList::ListupDblClick()
{
    const QListWidgetItem *item = Listup->currentItem();
    if (!item)
        return;
    const int number = entryLineNumber(item->text());
    if (number < 1)
        return;
    // The line goes on top as far as the roll allows; the caret stays.
    m_roll.showLine(number);
}
