#include "reshape/TSetCheck.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TSetCheck::TSetCheck()
    : ToolWindow(u"SetCheck"_s, u"チェック設定"_s, 0x0010, Qt::Tool)
{
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(u"文字幅チェック"_s, this);
    auto *groupLayout = new QVBoxLayout(group);
    SelFont = new QComboBox(group);
    SelFont->setObjectName(u"SelFont"_s);
    SelFont->setEditable(true);
    SelFont->setCurrentText(u"ＭＳ ゴシック"_s);
    groupLayout->addWidget(SelFont);
    layout->addWidget(group);
    for (const QString &note : {u"●画面幅を基準にしてロールのチェックをします。"_s,
                                u"IPtalkの設定ファイルを読み込んで設定すると楽です。"_s,
                                u"（設定→チェック設定の中に読み込む所があります。）"_s}) {
        auto *label = new QLabel(note, this);
        label->setStyleSheet(u"color: green;"_s);
        layout->addWidget(label);
    }
}
