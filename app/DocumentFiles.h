#pragma once
// The main window's document files: new, open (directly or through the
// document filter), save as, files dropped onto the window, and the save
// question before the roll is replaced or the window closes. Owns the dialogs'
// remembered names and the folder of the roll.
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
class RollAccess;

class DocumentFiles {
public:
    // What the file commands do to the editor besides reading it.
    struct Editor {
        // The roll's lines as they are written to a file.
        std::function<QStringList()> fileLines;
        // Puts `text` in as a whole new roll: coloured, the view at its start.
        std::function<void(const QString &text)> takeNewRoll;
        // Empties the roll and its undo history.
        std::function<void()> emptyRoll;
        // Paints the status line now (before a long read).
        std::function<void()> showStatusNow;
        // The document filter's program, as the analyser settings give it.
        std::function<QString()> filterProgram;
    };

    DocumentFiles(RollAccess &roll, Editor editor);

    // Takes file drops on `window` and on `editorViewport`, which would
    // otherwise insert the path as text; each dropped file replaces the roll.
    void acceptDrops(QWidget *window, QWidget *editorViewport);

    void newRoll();
    void openWithDialog();
    // Replaces the roll by the document at `path`: ".txt"/".sl1" read as text,
    // anything else through the document filter. Asks nothing; false (roll
    // unchanged, the user told why) when it cannot be read.
    bool load(const QString &path);
    // The save dialog, then save; false when cancelled or not saved.
    bool saveWithDialog();
    // Writes the roll to `path` as a roll file, after asking when characters
    // would become "?"; false when the user declines or the write fails.
    bool save(const QString &path);
    // Files dropped onto the window, in order (each replaces the roll).
    void dropFiles(const QStringList &paths);
    // Before the roll is replaced or the window closes: a non-empty roll asks
    // whether to save it first. True to go on (saved, or not wanted).
    bool mayDiscardRoll();

    // Folder of the roll last opened or saved; empty: the working folder.
    const QString &rollFolder() const { return m_rollFolder; }
    // The file the roll was last opened from or saved to; empty after "new".
    const QString &rollFile() const { return m_rollFile; }

private:
    RollAccess &m_roll;
    Editor m_editor;
    QString m_openName;                  // the open dialog's last choice
    QString m_saveName = QStringLiteral("untitled.txt"); // the save dialog's last chosen name
    QString m_rollFolder;
    QString m_rollFile;
};
