#include "convert/TReplaceSet.h"

#include "convert/TWordChangeList.h"
#include "roll/RollAccess.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A group box of three radio buttons, the first ("変換しない") checked.
QGroupBox *radioGroup(QWidget *parent, const QString &caption, QRadioButton *(&buttons)[3],
                      const QString (&names)[3], const QString (&texts)[3])
{
    auto *box = new QGroupBox(caption, parent);
    auto *layout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new QRadioButton(texts[i], box);
        buttons[i]->setObjectName(names[i]);
        group->addButton(buttons[i]);
        layout->addWidget(buttons[i]);
    }
    buttons[0]->setChecked(true);
    return box;
}

WidthWay widthWay(const QRadioButton *half, const QRadioButton *full)
{
    return half->isChecked() ? WidthWay::Half : full->isChecked() ? WidthWay::Full : WidthWay::None;
}

} // namespace

TReplaceSet::TReplaceSet(RollAccess &roll)
    : ToolWindow(u"ReplaceSet"_s, u"文字変換"_s, 0x0100, Qt::Tool),
      m_roll(roll)
{
    auto *grid = new QGridLayout;
    int slot = 0;
    const auto add = [&](const QString &caption, QRadioButton *&no, QRadioButton *&one, QRadioButton *&two,
                         const QString (&names)[3], const QString (&texts)[3]) {
        QRadioButton *buttons[3];
        grid->addWidget(radioGroup(this, caption, buttons, names, texts), slot / 4, slot % 4);
        ++slot;
        no = buttons[0];
        one = buttons[1];
        two = buttons[2];
    };
    add(u"英文字"_s, alpha_no, alpha_1b, alpha_2b, {u"alpha_no"_s, u"alpha_1b"_s, u"alpha_2b"_s},
        {u"変換しない(&A)"_s, u"半角(&B)"_s, u"全角(&C)"_s});
    add(u"スペース"_s, space_no, space_1b, space_2b, {u"space_no"_s, u"space_1b"_s, u"space_2b"_s},
        {u"変換しない(&D)"_s, u"半角(&E)"_s, u"全角(&F)"_s});
    add(u"数字"_s, num_no, num_1b, num_2b, {u"num_no"_s, u"num_1b"_s, u"num_2b"_s},
        {u"変換しない(&G)"_s, u"半角(&H)"_s, u"全角(&J)"_s});
    add(u"記号"_s, kigou_no, kigou_1b, kigou_2b, {u"kigou_no"_s, u"kigou_1b"_s, u"kigou_2b"_s},
        {u"変換しない(&K)"_s, u"半角(&L)"_s, u"全角(&M)"_s});
    add(u"カタカナ"_s, kata_no, kata_1b, kata_2b, {u"kata_no"_s, u"kata_1b"_s, u"kata_2b"_s},
        {u"変換しない(&N)"_s, u"半角(&O)"_s, u"全角(&P)"_s});
    add(u"単位"_s, unit_no, unit_kigou, unit_kana, {u"unit_no"_s, u"unit_kigou"_s, u"unit_kana"_s},
        {u"変換しない(&Q)"_s, u"特殊文字へ(&R)"_s, u"かなへ(&S)"_s});
    add(u"ユーザ指定"_s, unit_user_no, unit_user_fwd, unit_user_rev,
        {u"unit_user_no"_s, u"unit_user_fwd"_s, u"unit_user_rev"_s},
        {u"変換しない(&T)"_s, u"正変換(&U)"_s, u"逆変換(&V)"_s});

    rep_run = new QPushButton(u"実行"_s, this);
    rep_run->setObjectName(u"rep_run"_s);
    connect(rep_run, &QPushButton::clicked, this, &TReplaceSet::rep_runClick);
    Button1 = new QPushButton(u"ユーザ変換リスト"_s, this);
    Button1->setObjectName(u"Button1"_s);
    connect(Button1, &QPushButton::clicked, this, &TReplaceSet::Button1Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(rep_run);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

ConversionChoice TReplaceSet::choice() const
{
    ConversionChoice c;
    c.alpha = widthWay(alpha_1b, alpha_2b);
    c.space = widthWay(space_1b, space_2b);
    c.num = widthWay(num_1b, num_2b);
    c.kigou = widthWay(kigou_1b, kigou_2b);
    c.kata = widthWay(kata_1b, kata_2b);
    c.unit = unit_kigou->isChecked() ? UnitWay::ToSymbol : unit_kana->isChecked() ? UnitWay::ToWord : UnitWay::None;
    c.user = unit_user_fwd->isChecked()   ? UserWay::Forward
             : unit_user_rev->isChecked() ? UserWay::Reverse
                                          : UserWay::None;
    return c;
}

void TReplaceSet::rep_runClick()
{
    const RollSelection selection = m_roll.selection();
    const RollViewPlace view = m_roll.viewPlace();
    m_roll.setStatusText(u"文字変換を実施中・・・"_s);

    const int from = selection.length > 0 ? selection.start : 0;
    const int to = selection.length > 0 ? selection.start + selection.length : m_roll.length();
    // The window keeps painting between the classes; keys and clicks wait, so
    // the text cannot change under the conversion.
    const QString converted = convertText(m_roll.textRange(from, to), choice(), m_changeList->rows(),
                                          [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    m_roll.replaceAsOneStep(from, to, converted);

    // The selection comes back by its numbers, even where the text changed length.
    m_roll.select(selection);
    m_roll.restoreViewPlace(view);
    m_roll.setStatusText(u"文字変換が完了しました。"_s);
}

void TReplaceSet::Button1Click()
{
    m_changeList->showTool();
}
