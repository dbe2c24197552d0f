#pragma once
// A bare roll for driving commands and tool windows without the main window:
// the text, the status line and what the commands asked of the roll.
#include "reshape/Reshape.h"
#include "roll/RollAccess.h"

class PlainRoll final : public RollAccess {
public:
    explicit PlainRoll(QString text = {}) : text(std::move(text)) {}

    QString text;            // "\n" between lines
    QString status;
    QStringList statusTexts; // every status text set, in order
    QStringList reports;     // the report captions of whole-roll rewrites ("" when silent)
    int undoSteps = 0;       // rewrites and replacements, one step each
    RollSelection selected;
    RollViewPlace view;
    QList<RollMark> marks;   // the marks laid over the view last

    QStringList lines() const override
    {
        QStringList result = text.split(u'\n');
        if (!result.isEmpty() && result.last().isEmpty())
            result.removeLast();
        return result;
    }
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
        ++undoSteps;
    }
    void rewrite(const std::function<QStringList(const QStringList &)> &transform, const QString &report,
                 const QString &workingStatus) override
    {
        setStatusText(workingStatus);
        text = itemsToText(transform(lines()));
        ++undoSteps;
        reports << report;
        setStatusText(QString());
    }
    void recordState() override {}
    void recolour() override {}
    void setMarks(const QList<RollMark> &m) override { marks = m; }
    QString statusText() const override { return status; }
    void setStatusText(const QString &s) override
    {
        status = s;
        statusTexts << s;
    }
};
