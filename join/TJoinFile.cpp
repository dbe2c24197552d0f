#include "join/TJoinFile.h"

#include <QListWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TJoinFile::TJoinFile()
    : ToolWindow(u"JoinFile"_s, u"ロール統合（ファイルの結合）"_s, 0x0020, Qt::Window)
{
    auto *layout = new QVBoxLayout(this);
    FileList = new QListWidget(this);
    FileList->setObjectName(u"FileList"_s);
    layout->addWidget(FileList);
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
