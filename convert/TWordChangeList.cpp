#include "convert/TWordChangeList.h"

#include "convert/ConversionList.h"
#include "platform/ErrorNotifier.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString kCaption = u"ユーザ変換リスト"_s;
// Saved lists get ".txt", settings files carrying the list are ".ini": both
// dialogs offer both, so a list saved here is found again.
const QString kListFilter = u"変換リスト(*.txt;*.ini)|*.txt;*.ini|すべてのファイル(*.*)|*.*"_s;

// The open dialog's default extension: added to a typed name without one,
// unless a file of that very name exists.
QString withListSuffix(const QString &path)
{
    return path.isEmpty() || QFileInfo::exists(path) ? path : withDefaultSuffix(path, u"txt"_s);
}
QString equalsInKeyMessage(int row, const QString &key)
{
    return u"%1行目の変換（前）「%2」に「=」が含まれています。\r\n"
           u"「=」は変換（前）と変換（後）の区切りになるため、変換（前）には使えません。"_s.arg(row + 1)
        .arg(key);
}

// Keeps a typed key holding "=" out of the list, which the settings file and
// list files would read back split; says so once the editor has closed.
class KeyCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        const auto *line = qobject_cast<QLineEdit *>(editor);
        if (index.column() == 0 && line && line->text().contains(u'=')) {
            const QString message = equalsInKeyMessage(index.row(), line->text()) + u"入力を取り消しました。"_s;
            QTimer::singleShot(0, parent(), [message] { showMessage(message, kCaption, MsgIcon::Warning); });
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};
} // namespace

TWordChangeList::TWordChangeList()
    : ToolWindow(u"WordChangeList"_s, kCaption, 0x2000, Qt::Window)
{
    auto *layout = new QVBoxLayout(this);
    auto *menuBar = new QMenuBar(this);
    QMenu *file = menuBar->addMenu(u"ファイル(&F)"_s);
    file->addAction(u"テキスト読み込み(&O)..."_s, this, &TWordChangeList::O1Click)->setObjectName(u"O1"_s);
    file->addAction(u"テキスト保存(&S)..."_s, this, &TWordChangeList::S1Click)->setObjectName(u"S1"_s);
    layout->setMenuBar(menuBar);
    WordList = new QTableWidget(0, 2, this);
    WordList->setObjectName(u"WordList"_s);
    WordList->setHorizontalHeaderLabels({u"変換（前）"_s, u"変換（後）"_s});
    WordList->verticalHeader()->hide();
    WordList->horizontalHeader()->setStretchLastSection(true);
    WordList->installEventFilter(this);
    WordList->setItemDelegate(new KeyCellDelegate(WordList));
    layout->addWidget(WordList);
    layout->addWidget(new QLabel(u"新しい行を追加する場合、最終行でカーソルキー（↓）を押してください。"_s, this));
    layout->addWidget(new QLabel(u"行を削除する場合、その行で Ctrl+Delete を押してください。"_s, this));
}

QList<ConversionRow> TWordChangeList::rows() const
{
    QList<ConversionRow> out;
    const auto cell = [this](int row, int column) {
        const QTableWidgetItem *item = WordList->item(row, column);
        return item ? item->text() : QString();
    };
    for (int row = 0; row < WordList->rowCount(); ++row)
        out.append({cell(row, 0), cell(row, 1)});
    return out;
}

void TWordChangeList::setRows(const QList<ConversionRow> &rows)
{
    WordList->setRowCount(0);
    WordList->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        WordList->setItem(row, 0, new QTableWidgetItem(rows.at(row).first));
        WordList->setItem(row, 1, new QTableWidgetItem(rows.at(row).second));
    }
}

// Down on the last row appends an empty row; Ctrl+Delete removes the current one.
bool TWordChangeList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == WordList && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int row = WordList->currentRow();
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier
            && (WordList->rowCount() == 0 || row == WordList->rowCount() - 1)) {
            WordList->insertRow(WordList->rowCount());
            WordList->setCurrentCell(WordList->rowCount() - 1, std::max(0, WordList->currentColumn()));
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier && row >= 0) {
            WordList->removeRow(row);
            return true;
        }
    }
    return ToolWindow::eventFilter(watched, event);
}

void TWordChangeList::O1Click()
{
    const QString path =
        withListSuffix(Prompter::instance().openFileName({u"開く"_s, dialogFilter(kListFilter), {}, {}}));
    if (path.isEmpty())
        return;
    const ProfileFile ini(path);
    // A file that cannot be read, or holds no list, would wipe the rows for
    // nothing: it is refused and the rows stay.
    if (!ini.exists()) {
        const QString reason = ini.readError().isEmpty() ? u"ファイルがありません。"_s : ini.readError();
        logError(raisedError(u"EFOpenError"_s, u"\"%1\": %2"_s.arg(path, reason)));
        showMessage(u"ファイル \"%1\" を開けません。\r\n%2"_s.arg(path, reason), kCaption, MsgIcon::Error);
        return;
    }
    if (!hasConversionList(ini)) {
        showMessage(u"ファイル \"%1\" にはユーザ変換リスト（[WordChangeList] の WordTotal）がありません。リストは変更していません。"_s
                        .arg(path),
                    kCaption, MsgIcon::Warning);
        return;
    }
    setRows(readConversionList(ini));
}

void TWordChangeList::commitOpenEditor()
{
    // A cell being typed in keeps its text in the editor until the editor
    // closes; the menu leaves it open.
    // Editors are the only widgets the table puts on its viewport.
    QAbstractItemDelegate *delegate = WordList->itemDelegate();
    for (QWidget *editor : WordList->viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!editor->isVisible())
            continue;
        Q_EMIT delegate->commitData(editor);
        Q_EMIT delegate->closeEditor(editor);
    }
}

void TWordChangeList::S1Click()
{
    commitOpenEditor();
    const QList<ConversionRow> list = rows();
    // The file keeps key "=" value and reads the key up to the first "=":
    // such a key would come back split.
    for (int row = 0; row < list.size(); ++row) {
        if (list.at(row).first.contains(u'=')) {
            WordList->setCurrentCell(row, 0);
            showMessage(equalsInKeyMessage(row, list.at(row).first) + u"保存していません。"_s, kCaption,
                        MsgIcon::Warning);
            return;
        }
    }
    const QString path = withDefaultSuffix(
        Prompter::instance().saveFileName({u"名前を付けて保存"_s, dialogFilter(kListFilter), {}, {}}), u"txt"_s);
    if (path.isEmpty())
        return;
    ProfileFile ini(path); // updated in place: its other sections and keys stay
    if (QFileInfo::exists(path) && !ini.exists()) {
        // Unreadable: writing would drop whatever else the file holds.
        logError(raisedError(u"EFOpenError"_s, u"\"%1\": %2"_s.arg(path, ini.readError())));
        showMessage(u"ファイル \"%1\" を開けません。\r\n%2"_s.arg(path, ini.readError()), kCaption, MsgIcon::Error);
        return;
    }
    writeConversionList(ini, list);
    QString error;
    if (!ini.save(&error)) {
        logError(raisedError(u"EFCreateError"_s, u"\"%1\": %2"_s.arg(path, error)));
        showMessage(u"ファイル \"%1\" を保存できません。\r\n%2"_s.arg(path, error), kCaption, MsgIcon::Error);
    }
}
