#include "session/RollSession.h"

#include "roll/TextLines.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

RollSession::RollSession(QObject *parent)
    : QObject(parent), m_document(new QTextDocument(this))
{
    // The session keeps its own history of whole states.
    m_document->setUndoRedoEnabled(false);
    // A document reports changes only once it has a layout; a view puts its
    // own in place of this one.
    m_document->documentLayout();
    connect(m_document, &QTextDocument::contentsChange, this, &RollSession::noteContentsChange);
}

RollSession::~RollSession() = default;

QStringList RollSession::lines() const
{
    return textLines(wholeText());
}

QString RollSession::textRange(int from, int to) const
{
    QTextCursor cursor(m_document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

int RollSession::length() const
{
    return m_document->characterCount() - 1;
}

void RollSession::replaceRange(int from, int to, const QString &text)
{
    const TextEdit edit = diffTexts(textRange(from, to), text);
    if (edit.isEmpty())
        return;
    QTextCursor cursor(m_document);
    cursor.setPosition(from + int(edit.pos));
    cursor.setPosition(from + int(edit.pos + edit.removed.size()), QTextCursor::KeepAnchor);
    cursor.insertText(edit.inserted);
}

void RollSession::setWholeText(const QString &text)
{
    m_incomingText = &text;
    if (m_showWhole)
        m_showWhole(text);
    else
        m_document->setPlainText(text);
    m_incomingText = nullptr;
}

void RollSession::noteContentsChange(int position, int charsRemoved, int charsAdded)
{
    if (m_formatsOnly)
        return; // formats only: the text and the history stay as they are
    const int length = this->length();
    // Some changes count the document's closing paragraph mark, which is no
    // text: take it off both counts.
    const int end = std::min(position + charsAdded, length);
    const int removed = std::max(0, charsRemoved - (position + charsAdded - end));
    const bool whole = m_incomingText && position == 0 && end == length && m_incomingText->size() == length;
    const TextEdit edit = m_history.noteChange(position, removed, whole ? *m_incomingText : textRange(position, end));
    if (m_history.shadow().size() != length)
        m_history.resync(textRange(0, length));
    if (edit.isEmpty())
        return; // formatting only
    const int first = m_document->findBlock(int(edit.pos)).blockNumber();
    Q_EMIT linesChanged(first, first + int(edit.removed.count(u'\n')), first + int(edit.inserted.count(u'\n')));
    if (m_depth == 0 && !m_restoring)
        Q_EMIT changed();
}

bool RollSession::record()
{
    return !recordingHeld() && m_history.record(viewLine());
}

std::optional<UndoRing::Step> RollSession::undo()
{
    return applyStep(m_history.undo(viewLine()));
}

std::optional<UndoRing::Step> RollSession::redo()
{
    return applyStep(m_history.redo(viewLine()));
}

std::optional<UndoRing::Step> RollSession::applyStep(std::optional<UndoRing::Step> step)
{
    if (!step)
        return step;
    m_restoring = true;
    const TextEdit &edit = step->edit;
    QTextCursor cursor(m_document);
    cursor.setPosition(int(edit.pos));
    cursor.setPosition(int(edit.pos + edit.removed.size()), QTextCursor::KeepAnchor);
    cursor.insertText(edit.inserted);
    m_history.endRestore();
    m_restoring = false;
    return step;
}

void RollSession::beginTransaction()
{
    if (m_depth == 0)
        record(); // the state before: what one Undo brings back
    ++m_depth;
}

void RollSession::endTransaction()
{
    Q_ASSERT(m_depth > 0);
    if (--m_depth > 0)
        return;
    record(); // the state after, as one step however many changes it took
    Q_EMIT transactionEnded();
}

RollSession::Transaction::Transaction(RollSession &session)
    : m_session(session)
{
    m_session.beginTransaction();
}

RollSession::Transaction::~Transaction()
{
    m_session.endTransaction();
}
