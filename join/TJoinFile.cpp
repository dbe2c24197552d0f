#include "join/TJoinFile.h"

#include "join/RollJoin.h"
#include "platform/ErrorNotifier.h"
#include "platform/Prompter.h"
#include "roll/RollAccess.h"
#include "widgets/FileDrops.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
const QString kCaption = u"結合"_s;

void keepWindowsAlive()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

TJoinFile::TJoinFile(RollAccess &roll, std::function<QString()> filterProgram)
    : ToolWindow(u"JoinFile"_s, u"ロール統合（ファイルの結合）"_s, 0x0020, Qt::Window),
      m_roll(roll), m_filterProgram(std::move(filterProgram))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"☆上から順番に統合し、編集画面に表示します。（注意！編集画面はクリアされます！）"_s, this));
    layout->addWidget(new QLabel(u"（結合したいファイルをドラック＆ドロップしてください。）"_s, this));
    auto *buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString &name, const QString &caption, void (TJoinFile::*slot)()) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    ListUp = button(u"ListUp"_s, u"↑"_s, &TJoinFile::ListUpClick);
    ListDown = button(u"ListDown"_s, u"↓"_s, &TJoinFile::ListDownClick);
    Del = button(u"Del"_s, u"削除"_s, &TJoinFile::DelClick);
    buttons->addStretch();
    Button1 = button(u"Button1"_s, u"結合開始"_s, &TJoinFile::Button1Click);
    Button2 = button(u"Button2"_s, u"ファイル追加"_s, &TJoinFile::Button2Click);
    layout->addLayout(buttons);

    FileList = new QListWidget(this);
    FileList->setObjectName(u"FileList"_s);
    layout->addWidget(FileList, 1);
    StatusBar = new QProgressBar(this);
    StatusBar->setObjectName(u"StatusBar"_s);
    // Idle: an empty bar. A range of 0 to 0 would animate as if busy.
    StatusBar->setRange(0, 1);
    StatusBar->setValue(0);
    StatusBar->setTextVisible(false); // no "0%" while nothing runs
    layout->addWidget(StatusBar);
    StatusText = new QLabel(u"処理待ち"_s, this);
    StatusText->setObjectName(u"StatusText"_s);
    layout->addWidget(StatusText);

    // Drops land on the list's viewport as often as on the window.
    setAcceptDrops(true);
    FileList->viewport()->setAcceptDrops(true);
    acceptFileDrops(this, {this, FileList->viewport()}, [this](const QStringList &paths) { addFiles(paths); });
    resize(464, 219);
}

QStringList TJoinFile::files() const
{
    return itemTexts(FileList);
}

void TJoinFile::setFiles(const QStringList &files)
{
    setItemTexts(FileList, files);
}

void TJoinFile::addFiles(const QStringList &paths)
{
    FileList->addItems(paths);
}

void TJoinFile::Button2Click()
{
    QString path = Prompter::instance().openFileName(
        {u"開く"_s, dialogFilter(u"テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*"_s), {}, {}});
    if (path.isEmpty())
        return;
    // The default extension, unless a file of the very name typed exists.
    if (!QFileInfo::exists(path))
        path = withDefaultSuffix(path, u"txt"_s);
    addFiles({path});
}

void TJoinFile::moveSelected(int step)
{
    const int row = FileList->currentRow();
    const int target = row + step;
    if (row < 0 || !FileList->currentItem()->isSelected() || target < 0 || target >= FileList->count())
        return;
    QListWidgetItem *item = FileList->takeItem(row);
    FileList->insertItem(target, item);
    FileList->setCurrentRow(target);
}

void TJoinFile::ListUpClick()
{
    moveSelected(-1);
}

void TJoinFile::ListDownClick()
{
    moveSelected(1);
}

void TJoinFile::DelClick()
{
    const int row = FileList->currentRow();
    if (row < 0 || !FileList->currentItem()->isSelected())
        return;
    delete FileList->takeItem(row);
    FileList->setCurrentRow(-1);
    FileList->clearSelection();
}

void TJoinFile::Button1Click()
{
    // Pending messages are processed while joining; a second start or a list
    // edit in between would join a list that is no longer the one shown.
    if (m_joining)
        return;
    m_joining = true;
    const QList<QWidget *> controls{ListUp, ListDown, Del, Button1, Button2, FileList};
    for (QWidget *control : controls)
        control->setEnabled(false);

    const QStringList paths = files();
    const int total = int(paths.size());
    showMessage(u"結合を開始します。\r\n(現在編集中のデータは消えます）"_s, kCaption, MsgIcon::Information);

    // The roll shows each file as it is read, yet the join is one command:
    // one Undo brings back the roll held before it.
    const RollStep step(m_roll);
    if (m_roll.length() > 0)
        m_roll.replaceAsOneStep(0, m_roll.length(), QString());
    StatusText->setText(u"%1/%2を結合中..."_s.arg(1).arg(total));
    StatusBar->setRange(0, std::max(1, total)); // never 0 to 0: that reads as busy
    StatusBar->setTextVisible(true);
    keepWindowsAlive();

    const QString header = joinHeaderLine(QDateTime::currentDateTime());
    const QString filter = m_filterProgram ? m_filterProgram() : QString();
    QList<JoinSource> sources;
    for (int t = 0; t < total; ++t) {
        StatusBar->setValue(t);
        StatusText->setText(u"%1/%2を結合中..."_s.arg(t + 1).arg(total));
        keepWindowsAlive();
        JoinSource source = readJoinSource(
            paths.at(t), filter,
            [] {
                keepWindowsAlive();
                return true;
            },
            joinRoomLeft(sources));
        if (!source.ok)
            logError(raisedError(u"EFOpenError"_s, u"\"%1\": %2"_s.arg(source.path, source.error)));
        const QString shown = source.ok ? source.text : QString();
        if (m_roll.length() > 0 || !shown.isEmpty())
            m_roll.replaceAsOneStep(0, m_roll.length(), shown);
        sources << std::move(source);
    }

    StatusBar->setValue(StatusBar->maximum());
    StatusText->setText(u"最終結合中..."_s);
    keepWindowsAlive();
    const QStringList joined = joinedRollLines(header, sources);
    m_roll.replaceAsOneStep(0, m_roll.length(), joined.join(u'\n') + u'\n');
    StatusText->setText(u"終了"_s);

    for (QWidget *control : controls)
        control->setEnabled(true);
    m_joining = false;
    showMessage(joinResultMessage(sources), kCaption,
                joinNeedsAttention(sources) ? MsgIcon::Warning : MsgIcon::Information);
}
