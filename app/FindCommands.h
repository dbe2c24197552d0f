#pragma once
// Find, find next and replace of the Edit and context menus: the two dialogs
// beside the editor and the searches they start, over the undo history's copy
// of the text (no copy out of the editor for every search).
#include <QObject>

#include <functional>

class EditHistory;
class RollAccess;
class RollEditor;
class TFindDialog;
class TReplaceDialog;

class FindCommands : public QObject {
    Q_OBJECT
public:
    struct Editor {
        RollEditor *editor = nullptr;
        EditHistory *history = nullptr; // its copy of the text is searched
        bool *recolorSuppressed = nullptr; // held while replacing
        // After a change over many lines: the view keeps its top line, the
        // caret its line.
        std::function<void(int firstLine, int caretLine)> keepView;
    };

    // Makes the dialogs as children of `window`.
    FindCommands(RollAccess &roll, Editor editor, QWidget *window);

    TFindDialog *findDialog() const { return m_find; }
    TReplaceDialog *replaceDialog() const { return m_replace; }

    void showFind();
    void findNext();
    void showReplace();
    // Selects the next `findText` after the selection (or caret).
    void find(const QString &findText);
    // The replace dialog's texts: the first hit from the start, or all.
    void replace(bool all);

private:
    RollAccess &m_roll;
    Editor m_editor;
    TFindDialog *m_find = nullptr;
    TReplaceDialog *m_replace = nullptr;
};
