#include "analysis/TSetChasen.h"

#include <QCoreApplication>
#include <QFormLayout>
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
    chasen_exe = new QLineEdit(u"/usr/bin/chasen"_s, this);
    chasen_exe->setObjectName(u"chasen_exe"_s);
    xdoc2txt = new QLineEdit(defaultFilterPath(), this);
    xdoc2txt->setObjectName(u"xdoc2txt"_s);
    layout->addRow(u"Chasenの実行プログラム"_s, chasen_exe);
    layout->addRow(u"xdoc2txtの実行プログラム"_s, xdoc2txt);
    layout->addRow(new QLabel(u"☆各ソフトは下記場所から手に入れられます。"_s, this));
    resize(420, sizeHint().height());
}
