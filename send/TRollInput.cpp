#include "send/TRollInput.h"

#include "platform/Prompter.h"
#include "platform/TextFile.h"
#include "roll/RollAccess.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QStringList kKeys = {u"F4"_s, u"F5"_s, u"F6"_s, u"F7"_s, u"F8"_s, u"F9"_s, u"F10"_s};

QLabel *greenLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(u"color: green"_s);
    return label;
}
} // namespace

TRollInput::TRollInput(RollAccess &roll)
    : ToolWindow(u"RollInput"_s, u"流し込み支援"_s, 0x0200, Qt::Window), m_roll(roll)
{
    auto *layout = new QVBoxLayout(this);
    Tabs = new QTabWidget(this);
    layout->addWidget(Tabs);

    auto *keys = new QWidget;
    auto *keysLayout = new QVBoxLayout(keys);
    SendByEnter = new QCheckBox(u"エンターキーで送信する"_s, keys);
    SendByEnter->setObjectName(u"SendByEnter"_s);
    keysLayout->addWidget(SendByEnter);
    InputFnList = new QTableWidget(int(kKeys.size()), 2, keys);
    InputFnList->setObjectName(u"InputFnList"_s);
    InputFnList->setHorizontalHeaderLabels({u"Fnキー"_s, u"送信文字"_s});
    InputFnList->verticalHeader()->hide();
    InputFnList->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < kKeys.size(); ++row) {
        auto *key = new QTableWidgetItem(kKeys.at(row));
        key->setFlags(key->flags() & ~Qt::ItemIsEditable);
        InputFnList->setItem(row, 0, key);
        InputFnList->setItem(row, 1, new QTableWidgetItem);
    }
    keysLayout->addWidget(InputFnList);
    Tabs->addTab(keys, u"入力キー"_s);

    auto *reading = new QWidget;
    auto *readingLayout = new QVBoxLayout(reading);
    GoRead = new QPushButton(u"クリア"_s, reading);
    GoRead->setObjectName(u"GoRead"_s);
    readingLayout->addWidget(GoRead, 0, Qt::AlignLeft);
    readingLayout->addWidget(greenLabel(u"●ダブルクリックで読みます。"_s, reading));
    readingLayout->addWidget(greenLabel(u"●ドロップするとファイル名を登録します。"_s, reading));
    FileList = new QListWidget(reading);
    FileList->setObjectName(u"FileList"_s);
    readingLayout->addWidget(FileList);
    Tabs->addTab(reading, u"ファイル読み込み"_s);

    connect(GoRead, &QPushButton::clicked, this, &TRollInput::GoReadClick);
    connect(FileList, &QListWidget::itemDoubleClicked, this, &TRollInput::FileListDblClick);
    setAcceptDrops(true);
}

QString TRollInput::functionKeyText(const QString &key) const
{
    const int row = int(kKeys.indexOf(key));
    return row < 0 ? QString() : InputFnList->item(row, 1)->text();
}

void TRollInput::setFunctionKeyText(const QString &key, const QString &text)
{
    const int row = int(kKeys.indexOf(key));
    if (row >= 0)
        InputFnList->item(row, 1)->setText(text);
}

QStringList TRollInput::files() const
{
    return itemTexts(FileList);
}

void TRollInput::setFiles(const QStringList &files)
{
    setItemTexts(FileList, files);
}

void TRollInput::editorKeyPressed(int qtKey)
{
    if (qtKey < Qt::Key_F4 || qtKey > Qt::Key_F10)
        return;
    const QString text = functionKeyText(kKeys.at(qtKey - Qt::Key_F4));
    const RollSelection selection = m_roll.selection();
    if (text.isEmpty() && selection.length == 0)
        return; // nothing to replace: no empty undo step
    m_roll.replaceAsOneStep(selection.start, selection.start + selection.length, text);
    m_roll.select({selection.start + int(text.size()), 0});
}

void TRollInput::addFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        FileList->addItem(path);
}

void TRollInput::GoReadClick()
{
    FileList->clear();
}

void TRollInput::FileListDblClick()
{
    const QListWidgetItem *item = FileList->currentItem();
    if (!item)
        return;
    const QString path = item->text();
    const TextFileRead read = readTextFile(path, LineEnds::Fold);
    if (!read.ok) {
        showMessage(u"「%1」を読み込めませんでした。\r\n%2\r\n前ロールは変更していません。"_s.arg(path, read.error),
                    u"ファイル読み込み"_s, MsgIcon::Error);
        return;
    }
    QStringList lines = read.decoded.text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    // One undo step: the roll it replaces comes back with Undo.
    m_roll.rewrite([&lines](const QStringList &) { return lines; }, QString(), QString());
    // As after opening a roll: its start in view, the status with its size.
    m_roll.select({0, 0});
    m_roll.showLine(1);
    if (read.decoded.utf8WithoutMark)
        showMessage(u"「%1」は UTF-8 で書かれていたので、UTF-8 として読み込みました。\r\n保存するときは Shift-JIS で書き込みます。"_s
                        .arg(path),
                    u"ファイル読み込み"_s, MsgIcon::Information);
    if (read.decoded.brokenSequences > 0)
        showMessage(u"「%1」には文字として読めない部分が%2か所あり、「\uFFFD」で表示しています。"_s.arg(
                        path, QString::number(read.decoded.brokenSequences)),
                    u"ファイル読み込み"_s, MsgIcon::Warning);
}

void TRollInput::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TRollInput::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << QFileInfo(url.toLocalFile()).absoluteFilePath();
    }
    addFiles(paths);
    event->acceptProposedAction();
}
