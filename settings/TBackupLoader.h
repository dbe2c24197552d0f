#pragma once
#include "widgets/ToolWindow.h"

#include <functional>

class QLabel;
class QListWidget;
class QPlainTextEdit;

// The backup history: the autosave copies in the folder autosave writes to,
// oldest first, and the chosen one as it is stored. It only shows: a copy is
// taken up by copying from it or opening it like any roll.
class TBackupLoader : public ToolWindow {
    Q_OBJECT
public:
    struct Links {
        std::function<QString()> folder;      // where the copies are
        std::function<QFont()> editorFont;    // the preview looks like the roll
        std::function<QColor()> editorBackground;
    };

    TBackupLoader();
    void setLinks(Links links) { m_links = std::move(links); }

    QListWidget *FileListBox1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QLabel *StatusBar1 = nullptr;

public Q_SLOTS:
    // Every activation: the preview takes the editor's look, the list is read again.
    void FormActivate();
    void FileListBox1Change();

protected:
    bool event(QEvent *event) override;

private:
    Links m_links;
    QString m_folder;
};
