#pragma once
#include "widgets/ToolWindow.h"
#include "convert/CharConversion.h"

class QTableWidget;

// The user's own conversion pairs, loaded from and saved to list files
// through the window's menu; the conversion reads them when it runs.
class TWordChangeList : public ToolWindow {
    Q_OBJECT
public:
    TWordChangeList();

    QTableWidget *WordList; // key (before), value (after)

    // The rows in list order (an empty cell reads as an empty text).
    QList<ConversionRow> rows() const;
    // Replaces every row.
    void setRows(const QList<ConversionRow> &rows);

public Q_SLOTS:
    void O1Click(); // "テキスト読み込み(&O)..."
    // "テキスト保存(&S)...": refuses a key holding "=", which the file
    // could not give back whole.
    void S1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The text of a cell still being edited goes into the list.
    void commitOpenEditor();
};
