#pragma once
#include "widgets/ToolWindow.h"

class QListWidget;
class QMenu;
class RollAccess;
class TFindList;

// The talkers of the roll (the text up to the first slash of each talker
// line), and the lines each one speaks or is named in.
class TMsgList : public ToolWindow {
    Q_OBJECT
public:
    explicit TMsgList(RollAccess &roll);
    // The list the lines of a talker are shown in (made after this window).
    void setResultList(TFindList *results) { m_results = results; }

    QListWidget *TotalList;
    QMenu *PopupMenu1;

public Q_SLOTS:
    void Button1Click();     // "更新": rebuild the list from the roll
    void TotalListDblClick(); // with Shift: lines naming the talker
    void Talker1Click();
    void Search1Click();
    void Copy1Click();

private:
    RollAccess &m_roll;
    TFindList *m_results = nullptr;
};
