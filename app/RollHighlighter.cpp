#include "app/RollHighlighter.h"

#include <QTextBlock>

RollHighlighter::RollHighlighter(QTextDocument *document, std::function<CommentKinds()> kinds,
                                 std::function<bool()> frozen)
    : QSyntaxHighlighter(document), m_kinds(std::move(kinds)), m_frozen(std::move(frozen))
{
    m_paintedKinds = m_kinds();
    m_commentFormat.setForeground(Qt::black);
    m_commentFormat.setBackground(commentBackground());
    m_spaceFormat.setForeground(Qt::white);
    m_spaceFormat.setBackground(spaceBackground());
}

void RollHighlighter::recolourAll(bool force)
{
    const CommentKinds kinds = m_kinds();
    if (!force && !m_stale && kinds == m_paintedKinds)
        return;
    m_stale = false;
    m_paintedKinds = kinds;
    rehighlight();
}

void RollHighlighter::refreshBlock(const QTextBlock &block)
{
    if (!block.isValid())
        return;
    const int wanted = IsRecognisedComment(block.text(), m_kinds()) ? Comment : Caption;
    if (block.userState() != wanted)
        rehighlightBlock(block);
}

void RollHighlighter::highlightBlock(const QString &text)
{
    int state;
    if (m_frozen()) {
        state = currentBlockState() == Comment ? Comment : Caption;
        m_stale = true;
    } else {
        const CommentKinds kinds = m_kinds();
        state = IsRecognisedComment(text, kinds) ? Comment : Caption;
        if (!(kinds == m_paintedKinds))
            m_stale = true;
    }
    setCurrentBlockState(state);
    if (state == Comment)
        setFormat(0, int(text.size()), m_commentFormat);
    for (qsizetype i = text.indexOf(QChar(0x3000)); i >= 0; i = text.indexOf(QChar(0x3000), i + 1))
        setFormat(int(i), 1, m_spaceFormat);
}
