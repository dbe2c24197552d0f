#include "analysis/TSetChasen.h"

#include "platform/Prompter.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

QString TSetChasen::defaultFilterPath()
{
    return QCoreApplication::applicationDirPath() + u"/velmat-doc2txt"_s;
}

TSetChasen::TSetChasen()
    : ToolWindow(u"SetChasen"_s, u"フィルタの設定"_s, 0x0080, Qt::Tool)
{
    auto *layout = new QFormLayout(this);
    analyser = new QComboBox(this);
    analyser->setObjectName(u"analyser"_s);
    // In the order of AnalyserKind.
    analyser->addItems({u"茶筌（ChaSen）"_s, u"MeCab（IPA辞書）"_s});
    chasen_exe = new QLineEdit(u"/usr/bin/chasen"_s, this);
    chasen_exe->setObjectName(u"chasen_exe"_s);
    mecab_exe = new QLineEdit(u"/usr/bin/mecab"_s, this);
    mecab_exe->setObjectName(u"mecab_exe"_s);
    xdoc2txt = new QLineEdit(defaultFilterPath(), this);
    xdoc2txt->setObjectName(u"xdoc2txt"_s);
    layout->addRow(u"形態素解析に使うプログラム(&A)"_s, analyser);
    layout->addRow(u"Chasenの実行プログラム"_s, chasen_exe);
    layout->addRow(u"MeCabの実行プログラム"_s, mecab_exe);
    layout->addRow(u"xdoc2txtの実行プログラム"_s, xdoc2txt);
    layout->addRow(new QLabel(u"☆各ソフトは下記場所から手に入れられます。"_s, this));
    // On this system both programs come as packages: the links say how.
    const auto link = [this](const QString &name, const QString &text, void (TSetChasen::*slot)()) {
        auto *label = new QLabel(u"<a href=\"#\" style=\"color: blue;\">"_s + text + u"</a>"_s, this);
        label->setObjectName(name);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        connect(label, &QLabel::linkActivated, this, slot);
        return label;
    };
    auto *links = new QHBoxLayout;
    links->addWidget(link(u"Label5"_s, u"Chasen"_s, &TSetChasen::Label5Click));
    links->addWidget(link(u"Label6"_s, u"MeCab"_s, &TSetChasen::Label6Click));
    links->addWidget(link(u"Label4"_s, u"xdoc2txt"_s, &TSetChasen::Label4Click));
    links->addStretch(1);
    layout->addRow(links);
    resize(420, sizeHint().height());
}

void TSetChasen::Label5Click()
{
    showMessage(u"茶筌（ChaSen）と辞書は次のコマンドでインストールできます。\r\n\r\n"
                u"sudo apt-get install chasen ipadic"_s,
                u"フィルタの設定"_s, MsgIcon::Information);
}

void TSetChasen::Label6Click()
{
    showMessage(u"MeCabとIPA辞書は次のコマンドでインストールできます。\r\n\r\n"
                u"sudo apt-get install mecab mecab-ipadic-utf8"_s,
                u"フィルタの設定"_s, MsgIcon::Information);
}

void TSetChasen::Label4Click()
{
    showMessage(u"文書をテキストにするフィルタ（velmat-doc2txt）はエディタと一緒にインストールされています。\r\n\r\n"_s
                    + defaultFilterPath(),
                u"フィルタの設定"_s, MsgIcon::Information);
}

AnalyserSettings TSetChasen::analyserSettings() const
{
    if (analyser->currentIndex() == 1)
        return {mecab_exe->text(), AnalyserKind::Mecab};
    return {chasen_exe->text(), AnalyserKind::Chasen};
}
