#include "reshape/TSetCheck.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TSetCheck::TSetCheck()
    : ToolWindow(u"SetCheck"_s, u"チェック設定"_s, 0x0010, Qt::Tool)
{
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(u"文字幅チェック"_s, this);
    auto *grid = new QGridLayout(group);
    SetCheckWidth = namedSpinBox(group, u"SetCheckWidth"_s, 0, 3000, 640);
    SelFontSize = namedSpinBox(group, u"SelFontSize"_s, 0, 300, 55);
    SelFont = new QComboBox(group);
    SelFont->setObjectName(u"SelFont"_s);
    SelFont->setEditable(true);
    SelFont->setCurrentText(u"ＭＳ ゴシック"_s);
    grid->addWidget(new QLabel(u"文字チェック：幅指定"_s, group), 0, 0);
    grid->addWidget(SetCheckWidth, 0, 1);
    grid->addWidget(new QLabel(u"ピクセル"_s, group), 0, 2);
    grid->addWidget(new QLabel(u"表示フォント基準サイズ"_s, group), 1, 0);
    grid->addWidget(SelFontSize, 1, 1);
    grid->addWidget(new QLabel(u"ポイント"_s, group), 1, 2);
    grid->addWidget(new QLabel(u"基準フォント"_s, group), 2, 0);
    grid->addWidget(SelFont, 2, 1, 1, 2);
    layout->addWidget(group);
    for (const QString &note : {u"●画面幅を基準にしてロールのチェックをします。"_s,
                                u"IPtalkの設定ファイルを読み込んで設定すると楽です。"_s,
                                u"（設定→チェック設定の中に読み込む所があります。）"_s}) {
        layout->addWidget(guidanceLabel(note, this));
    }
}

WidthCheckSettings TSetCheck::settings() const
{
    return {SetCheckWidth->value(), SelFont->currentText(), SelFontSize->value()};
}

void TSetCheck::applySettings(const WidthCheckSettings &settings)
{
    SetCheckWidth->setValue(settings.screenWidth);
    SelFontSize->setValue(settings.points);
    SelFont->setCurrentText(settings.font);
}
