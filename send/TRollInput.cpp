#include "send/TRollInput.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QStringList kKeys = {u"F4"_s, u"F5"_s, u"F6"_s, u"F7"_s, u"F8"_s, u"F9"_s, u"F10"_s};
}

TRollInput::TRollInput()
    : ToolWindow(u"RollInput"_s, u"流し込み支援"_s, 0x0200, Qt::Window)
{
    auto *layout = new QVBoxLayout(this);
    InputFnList = new QTableWidget(int(kKeys.size()), 2, this);
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
    layout->addWidget(InputFnList);
    SendByEnter = new QCheckBox(u"エンターキーで送信する"_s, this);
    SendByEnter->setObjectName(u"SendByEnter"_s);
    layout->addWidget(SendByEnter);
    FileList = new QListWidget(this);
    FileList->setObjectName(u"FileList"_s);
    layout->addWidget(FileList);
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
