#include "lists/TMsgList.h"

#include "lists/LineLists.h"
#include "lists/TFindList.h"
#include "roll/RollAccess.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Items show the talker as Shift-JIS would; the talker itself is kept as
// item data, so that a name Shift-JIS cannot hold still finds its lines.
constexpr int kTalkerRole = Qt::UserRole;

} // namespace

TMsgList::TMsgList(RollAccess &roll)
    : ToolWindow(u"MsgList"_s, u"発言者リスト"_s, 0x0040, Qt::Window),
      m_roll(roll)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    auto *top = new QHBoxLayout;
    auto *update = new QPushButton(u"更新"_s, this);
    update->setObjectName(u"Button1"_s);
    connect(update, &QPushButton::clicked, this, &TMsgList::Button1Click);
    top->addWidget(update);
    auto *notes = new QVBoxLayout;
    for (const QString &text : {u"●ダブルクリックで該当発言者の行リストを表示"_s,
                                u"●シフト＋ダブルクリックで名前を含むリストを表示"_s})
        notes->addWidget(guidanceLabel(text, this));
    top->addLayout(notes, 1);
    layout->addLayout(top);
    TotalList = new QListWidget(this);
    TotalList->setObjectName(u"TotalList"_s);
    TotalList->setFrameShape(QFrame::NoFrame);
    layout->addWidget(TotalList, 1);
    connect(TotalList, &QListWidget::itemDoubleClicked, this, &TMsgList::TotalListDblClick);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    PopupMenu1->addAction(u"発言者の行を表示(&Talker)"_s, this, &TMsgList::Talker1Click)->setObjectName(u"Talker1"_s);
    PopupMenu1->addAction(u"名前を含む行を表示(&Search)"_s, this, &TMsgList::Search1Click)->setObjectName(u"Search1"_s);
    PopupMenu1->addAction(u"この行をクリップボードへ貼り付け(&Copy)"_s, this, &TMsgList::Copy1Click)
        ->setObjectName(u"Copy1"_s);
    TotalList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TotalList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(TotalList->viewport()->mapToGlobal(pos)); });
    resize(349, 225);
}

void TMsgList::Button1Click()
{
    TotalList->clear();
    for (const QString &talker : talkerParts(m_roll.lines())) {
        auto *item = new QListWidgetItem(asShownInShiftJis(talker), TotalList);
        item->setData(kTalkerRole, talker);
    }
}

void TMsgList::TotalListDblClick()
{
    if (QApplication::queryKeyboardModifiers() & Qt::ShiftModifier)
        Search1Click();
    else
        Talker1Click();
}

void TMsgList::Talker1Click()
{
    const QListWidgetItem *item = TotalList->currentItem();
    if (!item)
        return;
    const QString talker = item->data(kTalkerRole).toString();
    m_results->showLines(u"該当行リスト - 発言者：%1 のいる行"_s.arg(item->text()), linesOfTalker(m_roll.lines(), talker));
}

void TMsgList::Search1Click()
{
    const QListWidgetItem *item = TotalList->currentItem();
    if (!item)
        return;
    const QString name = talkerName(item->data(kTalkerRole).toString());
    m_results->showLines(u"該当行リスト - 発言者：%1 の名前を含む行"_s.arg(asShownInShiftJis(name)),
                        linesContaining(m_roll.lines(), name));
}

void TMsgList::Copy1Click()
{
    if (const QListWidgetItem *item = TotalList->currentItem())
        QApplication::clipboard()->setText(item->text());
}
