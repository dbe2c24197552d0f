#include "app/FindDialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFindDialog::TFindDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"FindDialog1"_s);
    setWindowTitle(u"検索"_s);
    setModal(false);
    auto *grid = new QGridLayout(this);
    m_find = new QLineEdit(this);
    m_find->setObjectName(u"FindText"_s);
    auto *label = new QLabel(u"検索する文字列(&N):"_s, this);
    label->setBuddy(m_find);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_find, 0, 1);
    auto *buttons = new QVBoxLayout;
    QPushButton *findButton = button(u"FindButton"_s, u"次を検索(&F)"_s, this);
    findButton->setDefault(true);
    buttons->addWidget(findButton);
    QPushButton *cancel = button(u"CancelButton"_s, u"キャンセル"_s, this);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 2, 3, 1);
    connect(findButton, &QPushButton::clicked, this, &TFindDialog::find);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

QString TFindDialog::findText() const { return m_find->text(); }
void TFindDialog::setFindText(const QString &text) { m_find->setText(text); }

TReplaceDialog::TReplaceDialog(QWidget *parent)
    : TFindDialog(parent)
{
    setObjectName(u"ReplaceDialog1"_s);
    setWindowTitle(u"置換"_s);
    auto *grid = static_cast<QGridLayout *>(layout());
    m_replace = new QLineEdit(this);
    m_replace->setObjectName(u"ReplaceText"_s);
    auto *label = new QLabel(u"置換後の文字列(&P):"_s, this);
    label->setBuddy(m_replace);
    grid->addWidget(label, 1, 0);
    grid->addWidget(m_replace, 1, 1);
    auto *buttons = static_cast<QVBoxLayout *>(grid->itemAtPosition(0, 2)->layout());
    QPushButton *replaceButton = button(u"ReplaceButton"_s, u"置換して次に(&R)"_s, this);
    QPushButton *allButton = button(u"ReplaceAllButton"_s, u"すべて置換(&A)"_s, this);
    buttons->insertWidget(1, replaceButton);
    buttons->insertWidget(2, allButton);
    connect(replaceButton, &QPushButton::clicked, this, &TReplaceDialog::replace);
    connect(allButton, &QPushButton::clicked, this, &TReplaceDialog::replaceAll);
    // Tab goes from the search text straight to the replacement, then along
    // the buttons as they stand: typing both texts and pressing すべて置換
    // must never replace with an empty text because Tab went elsewhere.
    const QList<QWidget *> order{m_find,        m_replace,
                                 findChild<QPushButton *>(u"FindButton"_s),
                                 replaceButton, allButton,
                                 findChild<QPushButton *>(u"CancelButton"_s)};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

QString TReplaceDialog::replaceText() const { return m_replace->text(); }
void TReplaceDialog::setReplaceText(const QString &text) { m_replace->setText(text); }
