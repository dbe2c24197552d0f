#include "reshape/TWordDic.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TWordDic::TWordDic()
    : ToolWindow(u"WordDic"_s, u"カスタム辞書"_s, 0x0400, Qt::Window)
{
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(u"●文節として認識したい単語を並べてください。"_s, this);
    note->setStyleSheet(u"color: green;"_s);
    layout->addWidget(note);
    DicList = new QPlainTextEdit(this);
    DicList->setObjectName(u"DicList"_s);
    DicList->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(DicList);
}
