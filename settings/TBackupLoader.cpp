#include "settings/TBackupLoader.h"

#include "roll/RollRtf.h"
#include "settings/AutosaveFiles.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TBackupLoader::TBackupLoader()
    : ToolWindow(u"BackupLoader"_s, u"バックアップ履歴"_s, 0, Qt::Window)
{
    useSmallListLook(635, 337);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setHandleWidth(4);
    FileListBox1 = new QListWidget(splitter);
    FileListBox1->setObjectName(u"FileListBox1"_s);
    Memo1 = new QPlainTextEdit(splitter);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    splitter->setSizes({169, 466});
    splitter->setStretchFactor(1, 1);
    if (QSplitterHandle *handle = splitter->handle(1)) {
        QPalette pal = handle->palette();
        pal.setColor(QPalette::Window, Qt::green);
        handle->setPalette(pal);
        handle->setAutoFillBackground(true);
    }
    layout->addWidget(splitter, 1);
    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 0, 0, 0);
    StatusBar1 = new QLabel(this);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setFrameShape(QFrame::StyledPanel);
    bottom->addWidget(StatusBar1, 1);
    LoadButton = new QPushButton(u"エディタに読み込む(&L)"_s, this);
    LoadButton->setObjectName(u"LoadButton"_s);
    LoadButton->setEnabled(false);
    bottom->addWidget(LoadButton);
    layout->addLayout(bottom);

    connect(FileListBox1, &QListWidget::currentRowChanged, this, &TBackupLoader::FileListBox1Change);
    connect(FileListBox1, &QListWidget::itemActivated, this, &TBackupLoader::LoadButtonClick);
    connect(LoadButton, &QPushButton::clicked, this, &TBackupLoader::LoadButtonClick);
}

bool TBackupLoader::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        FormActivate();
    return ToolWindow::event(event);
}

void TBackupLoader::FormActivate()
{
    if (m_links.editorFont)
        Memo1->setFont(m_links.editorFont());
    if (m_links.editorBackground) {
        QPalette pal = Memo1->palette();
        pal.setColor(QPalette::Base, m_links.editorBackground());
        Memo1->setPalette(pal);
    }
    m_folder = m_links.folder ? m_links.folder() : QDir::currentPath();
    const QString chosen = FileListBox1->currentItem() ? FileListBox1->currentItem()->text() : QString();
    const QSignalBlocker quiet(FileListBox1);
    FileListBox1->clear();
    FileListBox1->addItems(autosaveCopies(m_folder));
    // The copy being read stays chosen when the list is read again.
    const QList<QListWidgetItem *> same = FileListBox1->findItems(chosen, Qt::MatchExactly);
    if (!chosen.isEmpty() && !same.isEmpty())
        FileListBox1->setCurrentItem(same.first());
}

void TBackupLoader::FileListBox1Change()
{
    const QListWidgetItem *item = FileListBox1->currentItem();
    LoadButton->setEnabled(item != nullptr);
    if (!item)
        return;
    const QString path = QDir(m_folder).filePath(item->text());
    const RollFileRead read = readRollFile(path);
    if (!read.ok) {
        Memo1->clear();
        StatusBar1->setText(u"%1 を読めません：%2"_s.arg(item->text(), read.error));
        return;
    }
    // The roll as it will be loaded, not the rich text it is kept in.
    Memo1->setPlainText(read.roll.text);
    QString status = u"保存日時：%1"_s.arg(QFileInfo(path).lastModified().toString(u"yyyy/MM/dd HH:mm:ss"_s));
    if (!read.roll.complete)
        status += u"　途中で切れています"_s;
    else if (read.roll.brokenSequences > 0)
        status += u"　読めない部分が %1 か所あります"_s.arg(read.roll.brokenSequences);
    StatusBar1->setText(status);
}

void TBackupLoader::LoadButtonClick()
{
    const QListWidgetItem *item = FileListBox1->currentItem();
    if (!item || !m_links.takeUp)
        return;
    m_links.takeUp(QDir(m_folder).filePath(item->text()));
}
