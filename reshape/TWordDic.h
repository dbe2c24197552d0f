#pragma once
#include "widgets/ToolWindow.h"

class QPlainTextEdit;

// The custom list of words a reshape must not divide, one per line; loaded
// from and saved to text files through its own menu.
class TWordDic : public ToolWindow {
    Q_OBJECT
public:
    TWordDic();

    QPlainTextEdit *DicList; // one word per line

    // The custom words as the reshape's word check reads them: every line,
    // empty ones included (their numbers are named when one is unusable).
    QStringList customWordLines() const;

    // The lines as the settings keep them: none for an empty list, and no
    // empty line after a final line break. setLines puts them back.
    QStringList lines() const;
    void setLines(const QStringList &lines);

public Q_SLOTS:
    void OpenTextClick(); // "テキスト読み込み(&O)..."
    void SaveTextClick(); // "テキスト保存(&S)..."
};
