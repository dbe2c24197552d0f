#pragma once
#include "widgets/ToolWindow.h"

class QLabel;
class QLineEdit;
class QTextBrowser;

// The user manual in a window of the program's own: it works without a web
// browser or a network, and opens at the section a command asks for.
class THelpWindow : public ToolWindow {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget *owner);

    // Shows the manual page `file`, at the anchor `section` (empty: its top).
    void showManual(const QString &file, const QString &section = {});

    // The next (or previous) place of the find text, from the caret on and
    // round the end; false when the text is nowhere in the page.
    bool findNext(bool backward = false);

    QTextBrowser *Browser;
    QLineEdit *FindText;
    QLabel *FindResult;

private:
    bool m_placed = false;
};
