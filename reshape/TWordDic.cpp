#include "reshape/TWordDic.h"

#include "roll/RollFile.h"
#include "roll/ShiftJisSave.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString kTextFilter = u"テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*"_s;
}

TWordDic::TWordDic()
    : ToolWindow(u"WordDic"_s, u"カスタム辞書"_s, 0x0400, Qt::Window)
{
    auto *layout = new QVBoxLayout(this);
    auto *menuBar = new QMenuBar(this);
    QMenu *file = menuBar->addMenu(u"ファイル(&F)"_s);
    QAction *open = file->addAction(u"テキスト読み込み(&O)..."_s, this, &TWordDic::OpenTextClick);
    open->setObjectName(u"OpenText1"_s);
    QAction *save = file->addAction(u"テキスト保存(&S)..."_s, this, &TWordDic::SaveTextClick);
    save->setObjectName(u"SaveText1"_s);
    layout->setMenuBar(menuBar);
    layout->addWidget(guidanceLabel(u"●文節として認識したい単語を並べてください。"_s, this));
    DicList = new QPlainTextEdit(this);
    DicList->setObjectName(u"DicList"_s);
    DicList->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(DicList);
    resize(300, 360);
}

void TWordDic::OpenTextClick()
{
    const QString path = Prompter::instance().openFileName({u"開く"_s, dialogFilter(kTextFilter), {}, {}});
    if (path.isEmpty())
        return;
    const TextFileRead read = readTextFile(path, LineEnds::Fold);
    if (!read.ok) {
        showMessage(u"ファイル \"%1\" を開けません。\r\n%2"_s.arg(path, read.error), u"カスタム辞書"_s,
                    MsgIcon::Error);
        return;
    }
    DicList->setPlainText(read.decoded.text);
    const QString warning = undecodedPartsWarning(path, read.decoded);
    if (!warning.isEmpty())
        showMessage(warning, QString::fromUtf16(kUndecodedPartsCaption), MsgIcon::Warning);
}

void TWordDic::SaveTextClick()
{
    const QString path = withDefaultSuffix(
        Prompter::instance().saveFileName({u"名前を付けて保存"_s, dialogFilter(kTextFilter), {}, {}}), u"txt"_s);
    if (path.isEmpty())
        return;
    QStringList lines;
    for (QTextBlock b = DicList->document()->begin(); b.isValid(); b = b.next())
        lines.append(b.text());
    saveShiftJisLines(path, lines);
}

QStringList TWordDic::customWordLines() const
{
    return DicList->toPlainText().split(u'\n');
}

QStringList TWordDic::lines() const
{
    QStringList out;
    if (DicList->document()->isEmpty())
        return out;
    for (QTextBlock b = DicList->document()->begin(); b.isValid(); b = b.next())
        out.append(b.text());
    if (out.size() > 1 && out.last().isEmpty())
        out.removeLast();
    return out;
}

void TWordDic::setLines(const QStringList &lines)
{
    DicList->setPlainText(lines.join(u'\n'));
}
