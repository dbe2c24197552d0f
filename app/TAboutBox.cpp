#include "app/TAboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TAboutBox::TAboutBox()
    : ToolWindow(u"AboutBox"_s, u"バージョン情報"_s, 0x0004, Qt::Dialog)
{
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(u"前ロールエディター KOVA (Velmat)"_s, this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    layout->addWidget(new QLabel(u"バージョン "_s + QStringLiteral(VELMAT_VERSION), this));
    layout->addWidget(new QLabel(u"要約筆記の前ロール作成・送出を支援するエディタです。"_s, this));
    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"OKButton"_s);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    layout->addWidget(ok, 0, Qt::AlignRight);
}
