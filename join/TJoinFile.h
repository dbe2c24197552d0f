#pragma once
#include "widgets/ToolWindow.h"

#include <functional>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class RollAccess;

// Joins several roll files into one roll: the list is the order of joining,
// top first; the result replaces the roll as undoable steps.
class TJoinFile : public ToolWindow {
    Q_OBJECT
public:
    // `filterProgram` names the text filter for documents other than plain rolls.
    TJoinFile(RollAccess &roll, std::function<QString()> filterProgram);

    QListWidget *FileList; // the roll files to join, in order
    QPushButton *ListUp;
    QPushButton *ListDown;
    QPushButton *Del;
    QPushButton *Button1;  // "結合開始"
    QPushButton *Button2;  // "ファイル追加"
    QProgressBar *StatusBar;
    QLabel *StatusText;

    QStringList files() const;
    void setFiles(const QStringList &files);
    // The drop handler: appends the files in the order given.
    void addFiles(const QStringList &paths);

public Q_SLOTS:
    void Button1Click();
    void Button2Click();
    void ListUpClick();
    void ListDownClick();
    void DelClick();

private:
    void moveSelected(int step);

    RollAccess &m_roll;
    std::function<QString()> m_filterProgram;
    bool m_joining = false;
};
