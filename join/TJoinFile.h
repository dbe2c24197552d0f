#pragma once
#include "widgets/ToolWindow.h"

class QListWidget;

// Joins several roll files into one roll.
class TJoinFile : public ToolWindow {
    Q_OBJECT
public:
    TJoinFile();

    QListWidget *FileList; // the roll files to join, in order

    QStringList files() const;
    void setFiles(const QStringList &files);
};
