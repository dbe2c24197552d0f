#pragma once
#include "widgets/ToolWindow.h"

#include <functional>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The backup history: the autosave copies in the folder autosave writes to,
// oldest first, the chosen one's roll text and when it was saved, and the
// command that takes the chosen copy up as the roll.
class TBackupLoader : public ToolWindow {
    Q_OBJECT
public:
    struct Links {
        std::function<QString()> folder;      // where the copies are
        std::function<QFont()> editorFont;    // the preview looks like the roll
        std::function<QColor()> editorBackground;
        // Replaces the roll by the copy at the path, as Open does (asking
        // first to save a roll that is not empty; Undo brings it back).
        std::function<void(const QString &path)> takeUp;
    };

    TBackupLoader();
    void setLinks(Links links) { m_links = std::move(links); }

    QListWidget *FileListBox1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *LoadButton = nullptr; // "エディタに読み込む"
    QLabel *StatusBar1 = nullptr;

public Q_SLOTS:
    // Every activation: the preview takes the editor's look, the list is read again.
    void FormActivate();
    void FileListBox1Change();
    // The chosen copy into the editor (also Enter or a double click on it).
    void LoadButtonClick();

protected:
    bool event(QEvent *event) override;

private:
    Links m_links;
    QString m_folder;
};
