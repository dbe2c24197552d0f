#pragma once
#include "widgets/ToolWindow.h"

class QListWidget;
class QMenu;

// The talkers of the roll (the text up to the first slash of each talker
// line), and the lines each one speaks or is named in.
class TMsgList : public ToolWindow {
    Q_OBJECT
public:
    TMsgList();

    QListWidget *TotalList;
    QMenu *PopupMenu1;

public Q_SLOTS:
    void Button1Click();     // "更新": rebuild the list from the roll
    void TotalListDblClick(); // with Shift: lines naming the talker
    void Talker1Click();
    void Search1Click();
    void Copy1Click();
};
