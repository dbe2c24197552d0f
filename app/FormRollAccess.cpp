#include "app/FormRollAccess.h"

#include "app/Remain.h"
#include "app/RollEditor.h"
#include "session/RollSession.h"
#include "roll/TextLines.h"

#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

QStringList FormRollAccess::lines() const
{
    // Cut from the history's copy: cheaper than asking the document for
    // every line, and the same lines.
    return textLines(wholeText());
}

QString FormRollAccess::wholeText() const
{
    // The history's copy follows every change: no walk over the document.
    return m_form.m_session->wholeText();
}

QString FormRollAccess::textRange(int from, int to) const
{
    return m_form.m_session->textRange(from, to);
}

int FormRollAccess::length() const
{
    return m_form.m_session->length();
}

CommentKinds FormRollAccess::commentKinds() const
{
    return m_form.commentKinds();
}

RollSelection FormRollAccess::selection() const
{
    const QTextCursor cursor = m_form.RichEdit1->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

void FormRollAccess::select(RollSelection selection)
{
    // By its numbers, even where the text changed length meanwhile.
    const int end = length();
    QTextCursor cursor = m_form.RichEdit1->textCursor();
    cursor.setPosition(std::min(selection.start, end));
    cursor.setPosition(std::min(selection.start + selection.length, end), QTextCursor::KeepAnchor);
    m_form.RichEdit1->setTextCursor(cursor);
}

RollViewPlace FormRollAccess::viewPlace() const
{
    return {m_form.RichEdit1->verticalScrollBar()->value(), m_form.RichEdit1->horizontalScrollBar()->value()};
}

void FormRollAccess::restoreViewPlace(RollViewPlace place)
{
    m_form.RichEdit1->verticalScrollBar()->setValue(place.vertical);
    m_form.RichEdit1->horizontalScrollBar()->setValue(place.horizontal);
}

void FormRollAccess::showLine(int number)
{
    m_form.RichEdit1->setFocus();
    m_form.RichEdit1->scrollToLine(number - 1);
    m_form.update();
    m_form.updateCaretStatus();
}

void FormRollAccess::replaceAsOneStep(int from, int to, const QString &text)
{
    m_form.replaceRollRange(from, to, text);
}

void FormRollAccess::rewrite(const std::function<QStringList(const QStringList &)> &transform,
                             const QString &report, const QString &workingStatus)
{
    m_form.rewriteRoll(transform, report, workingStatus);
}

void FormRollAccess::rewriteText(const QString &text, const QString &report, const QString &workingStatus)
{
    m_form.rewriteRollText(text, report, workingStatus);
}

void FormRollAccess::recordState()
{
    m_form.RichEdit1Change();
}

void FormRollAccess::beginStep()
{
    m_form.m_session->beginTransaction();
}

void FormRollAccess::endStep()
{
    m_form.m_session->endTransaction();
}

void FormRollAccess::recolour()
{
    m_form.ForceRecolorClick();
}

void FormRollAccess::setMarks(const QList<RollMark> &marks)
{
    m_form.RichEdit1->setMarks(marks);
}

QString FormRollAccess::statusText() const
{
    return m_form.statusText();
}

void FormRollAccess::setStatusText(const QString &text)
{
    m_form.setStatusText(text);
}
