#pragma once
#include "widgets/ToolWindow.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTabWidget;
class RollAccess;

// Function-key phrases, send by Enter and the list of prepared rolls.
class TRollInput : public ToolWindow {
    Q_OBJECT
public:
    explicit TRollInput(RollAccess &roll);

    QTabWidget *Tabs;
    QTableWidget *InputFnList; // fixed rows F4 … F10: key, text to insert
    QCheckBox *SendByEnter;
    QPushButton *GoRead;       // "クリア"
    QListWidget *FileList;     // prepared roll files

    QStringList files() const;
    void setFiles(const QStringList &files);

    // The text of the row "F4" … "F10" (empty for another key name).
    QString functionKeyText(const QString &key) const;
    void setFunctionKeyText(const QString &key, const QString &text);

    // A key pressed in the roll editor: F4 … F10 put their text in place of
    // the selection. The key is never consumed.
    void editorKeyPressed(int qtKey);

    // Appends dropped (or otherwise chosen) files to the list.
    void addFiles(const QStringList &paths);

public Q_SLOTS:
    void GoReadClick();
    void FileListDblClick();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    RollAccess &m_roll;
};
