#pragma once
#include "widgets/ToolWindow.h"

class QCheckBox;
class QListWidget;
class QTableWidget;

// Function-key phrases, send by Enter and the list of prepared rolls.
class TRollInput : public ToolWindow {
    Q_OBJECT
public:
    TRollInput();

    QTableWidget *InputFnList; // fixed rows F4 … F10: key, text to insert
    QCheckBox *SendByEnter;
    QListWidget *FileList;     // prepared roll files

    QStringList files() const;
    void setFiles(const QStringList &files);

    // The text of the row "F4" … "F10" (empty for another key name).
    QString functionKeyText(const QString &key) const;
    void setFunctionKeyText(const QString &key, const QString &text);
};
