#pragma once
// The roll face of the main window, handed to tool windows and commands.
#include "roll/RollAccess.h"

class TForm1;

class FormRollAccess final : public RollAccess {
public:
    explicit FormRollAccess(TForm1 &form) : m_form(form) {}

    QStringList lines() const override;
    QString wholeText() const override;
    QString textRange(int from, int to) const override;
    int length() const override;
    CommentKinds commentKinds() const override;
    RollSelection selection() const override;
    void select(RollSelection selection) override;
    RollViewPlace viewPlace() const override;
    void restoreViewPlace(RollViewPlace place) override;
    void showLine(int number) override;
    void replaceAsOneStep(int from, int to, const QString &text) override;
    void rewrite(const std::function<QStringList(const QStringList &)> &transform, const QString &report,
                 const QString &workingStatus) override;
    void rewriteText(const QString &text, const QString &report, const QString &workingStatus) override;
    void recordState() override;
    void beginStep() override;
    void endStep() override;
    void recolour() override;
    void setMarks(const QList<RollMark> &marks) override;
    QString statusText() const override;
    void setStatusText(const QString &text) override;

private:
    TForm1 &m_form;
};
