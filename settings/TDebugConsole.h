#pragma once
#include "widgets/ToolWindow.h"

class QListWidget;

// Lists the errors that no command handled, one "【エラー】…" line each, for
// the life of the program.
class TDebugConsole : public ToolWindow {
    Q_OBJECT
public:
    TDebugConsole();

    QListWidget *ListBox1 = nullptr;

    // Adds the error's line and brings the window forward.
    void addError(const QString &message);
};
