#pragma once
// A bare roll for driving commands and tool windows without the main window:
// the text, the status line and what the commands asked of the roll.
#include "reshape/Reshape.h"
#include "roll/RollAccess.h"
#include "roll/TextLines.h"

class PlainRoll final : public RollAccess {
public:
    explicit PlainRoll(QString text = {}) : text(std::move(text)) {}

    QString text;            // "\n" between lines
    QString status;
    QStringList statusTexts; // every status text set, in order
    QStringList reports;     // the report captions of whole-roll rewrites ("" when silent)
    int undoSteps = 0;       // rewrites and replacements, one step each (a RollStep: one in all)
    RollSelection selected;
    RollViewPlace view;
    QList<RollMark> marks;   // the marks laid over the view last

    QStringList lines() const override { return textLines(text); }
    QString wholeText() const override { return text; }
    QString textRange(int from, int to) const override { return text.mid(from, to - from); }
    int length() const override { return int(text.size()); }
    CommentKinds commentKinds() const override { return {}; }
    RollSelection selection() const override { return selected; }
    void select(RollSelection selection) override { selected = selection; }
    RollViewPlace viewPlace() const override { return view; }
    void restoreViewPlace(RollViewPlace place) override { view = place; }
    void showLine(int number) override { view.vertical = number - 1; }
    void replaceAsOneStep(int from, int to, const QString &replacement) override
    {
        text.replace(from, to - from, replacement);
        countStep();
    }
    void rewrite(const std::function<QStringList(const QStringList &)> &transform, const QString &report,
                 const QString &workingStatus) override
    {
        replaceWhole([&] { return itemsToText(transform(lines())); }, report, workingStatus);
    }
    void rewriteText(const QString &newText, const QString &report, const QString &workingStatus) override
    {
        replaceWhole([&] { return newText; }, report, workingStatus);
    }
    void recordState() override {}
    void beginStep() override { ++m_depth; }
    void endStep() override
    {
        if (--m_depth == 0 && m_changedInStep) {
            m_changedInStep = false;
            ++undoSteps;
        }
    }
    void recolour() override {}
    void setMarks(const QList<RollMark> &m) override { marks = m; }
    QString statusText() const override { return status; }
    void setStatusText(const QString &s) override
    {
        status = s;
        statusTexts << s;
    }

private:
    void countStep()
    {
        if (m_depth > 0)
            m_changedInStep = true;
        else
            ++undoSteps;
    }
    int m_depth = 0;
    bool m_changedInStep = false;
    void replaceWhole(const std::function<QString()> &newText, const QString &report, const QString &workingStatus)
    {
        setStatusText(workingStatus);
        text = newText();
        countStep();
        reports << report;
        setStatusText(QString());
    }
};
