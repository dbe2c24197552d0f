#pragma once
#include "widgets/ToolWindow.h"
#include "convert/CharConversion.h"

class QPushButton;
class QRadioButton;
class RollAccess;
class TWordChangeList;

// Converts character kinds in the selection or the whole roll.
class TReplaceSet : public ToolWindow {
    Q_OBJECT
public:
    explicit TReplaceSet(RollAccess &roll);
    // The user conversion list it applies (made after this window).
    void setChangeList(TWordChangeList *list) { m_changeList = list; }

    // The choices as the radio buttons stand.
    ConversionChoice choice() const;

    QRadioButton *alpha_no, *alpha_1b, *alpha_2b;
    QRadioButton *space_no, *space_1b, *space_2b;
    QRadioButton *num_no, *num_1b, *num_2b;
    QRadioButton *kigou_no, *kigou_1b, *kigou_2b;
    QRadioButton *kata_no, *kata_1b, *kata_2b;
    QRadioButton *unit_no, *unit_kigou, *unit_kana;
    QRadioButton *unit_user_no, *unit_user_fwd, *unit_user_rev;
    QPushButton *rep_run;
    QPushButton *Button1;

public Q_SLOTS:
    // Converts the selection, or the whole roll when nothing is selected, in
    // one undo step; the selection's numbers and the view are kept.
    void rep_runClick();
    // Shows the user conversion list.
    void Button1Click();

private:
    RollAccess &m_roll;
    TWordChangeList *m_changeList = nullptr;
};
