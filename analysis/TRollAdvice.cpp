#include "analysis/TRollAdvice.h"

#include "analysis/TWordAnalyze.h"
#include "roll/RollAccess.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {
// Marks the fourteen category nodes, which list nothing even while empty.
constexpr int kCategoryRole = Qt::UserRole;

void keepWindowsAlive()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}
} // namespace

TRollAdvice::TRollAdvice(RollAccess &roll, WordAnalysis &analysis, std::function<AnalyserSettings()> settings,
                         ShowLines showLines)
    : ToolWindow(u"RollAdvice"_s, u"前ロールアドバイザー"_s, 0x0800, Qt::Window),
      m_roll(roll),
      m_analysis(analysis),
      m_settings(std::move(settings)),
      m_showLines(std::move(showLines))
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    Button1 = new QPushButton(u"解析"_s, this);
    Button1->setObjectName(u"Button1"_s);
    connect(Button1, &QPushButton::clicked, this, &TRollAdvice::Button1Click);
    top->addWidget(Button1);
    auto *right = new QVBoxLayout;
    right->addWidget(guidanceLabel(u"●Chasen(茶筌）の言語分析結果などより、アドバイスを表示します。"_s, this));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    right->addWidget(ProgressBar1);
    Status = new QLabel(this);
    Status->setObjectName(u"Status"_s);
    right->addWidget(Status);
    top->addLayout(right, 1);
    layout->addLayout(top);
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(u"TreeView1"_s);
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(20);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, &TRollAdvice::TreeView1DblClick);
    layout->addWidget(TreeView1, 1);
    resize(520, 420);
}

AdviceProgress TRollAdvice::stage(int from, int to)
{
    return [this, from, to](qsizetype done, qsizetype total) {
        ProgressBar1->setValue(from + int((to - from) * done / std::max<qsizetype>(total, 1)));
        keepWindowsAlive();
    };
}

void TRollAdvice::Button1Click()
{
    // The windows stay alive meanwhile; the button waits for this run.
    Button1->setEnabled(false);
    ProgressBar1->setValue(0);
    Status->setText(u"茶筌で文章を解析しています。"_s);
    keepWindowsAlive();
    // A failed run is told there; the records of the last successful one serve.
    analyseRoll(m_analysis, m_roll, m_settings());
    ProgressBar1->setValue(40);
    showFindings({});

    Status->setText(u"茶筌の結果を解析しています。"_s);
    AdviceFindings findings;
    // A copy: a run started while the windows are kept alive replaces the digest.
    const QStringList records = m_analysis.lastRun().lines();
    const QList<WordEntry> entries = wordEntries(records, stage(40, 70));
    compareWordEntries(entries, findings, stage(60, 70));

    Status->setText(u"ロールの漢字を解析しています。"_s);
    checkKanji(m_roll.wholeText(), findings, stage(70, 100));
    showFindings(findings);

    Status->setText(u"解析完了。"_s);
    ProgressBar1->setValue(100);
    Button1->setEnabled(true);
}

void TRollAdvice::showFindings(const AdviceFindings &findings)
{
    // Every level goes in sorted (adviceTextBefore: the texts' UTF-16 order,
    // the tree's own), which costs a fraction of letting the tree sort it.
    TreeView1->clear();
    std::array<QTreeWidgetItem *, kAdviceNodeCount> nodes{};
    std::array<AdviceNode, kAdviceNodeCount> order{};
    for (int i = 0; i < kAdviceNodeCount; ++i) {
        order[size_t(i)] = AdviceNode(i);
        nodes[size_t(i)] = new QTreeWidgetItem(QStringList{adviceNodeText(AdviceNode(i))});
        nodes[size_t(i)]->setData(0, kCategoryRole, true);
    }
    std::sort(order.begin(), order.end(),
              [](AdviceNode a, AdviceNode b) { return adviceTextBefore(adviceNodeText(a), adviceNodeText(b)); });
    for (const AdviceNode node : order) {
        if (const std::optional<AdviceNode> parent = adviceNodeParent(node))
            nodes[size_t(*parent)]->addChild(nodes[size_t(node)]);
        else
            TreeView1->addTopLevelItem(nodes[size_t(node)]);
        QStringList texts = findings[node];
        std::stable_sort(texts.begin(), texts.end(), adviceTextBefore);
        QList<QTreeWidgetItem *> children;
        children.reserve(texts.size());
        for (const QString &finding : std::as_const(texts))
            children.append(new QTreeWidgetItem(QStringList{finding}));
        nodes[size_t(node)]->addChildren(children);
    }
}

void TRollAdvice::TreeView1DblClick()
{
    TreeView1->setFocus();
    const QTreeWidgetItem *item = TreeView1->currentItem();
    if (!item || item->childCount() > 0 || item->data(0, kCategoryRole).toBool())
        return;
    if (findingWords(item->text(0)).isEmpty())
        return;
    m_showLines(u"該当行リスト - (前ロールアドバイザより)"_s, linesForFinding(item->text(0), m_roll.lines()));
}
