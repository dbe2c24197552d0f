#pragma once
#include "widgets/ToolWindow.h"

class QListWidget;
class QListWidgetItem;
class RollAccess;

// The shared list of roll lines ("%05d : %s"); a double-click scrolls the
// roll to the line an entry names.
class TFindList : public ToolWindow {
    Q_OBJECT
public:
    explicit TFindList(RollAccess &roll);

    QListWidget *Listup;

    // Replaces the list and the caption, then shows the window.
    void showLines(const QString &caption, const QStringList &entries);

public Q_SLOTS:
    void ListupDblClick();

private:
    RollAccess &m_roll;
};
