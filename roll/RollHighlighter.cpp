#include "roll/RollHighlighter.h"

#include "roll/TextLines.h"

#include <QTextBlock>
#include <QTextDocument>

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

// The base class formats every line of a changed range through this private
// slot; the string form is the only way to name it.
void RollHighlighter::beginLoad()
{
    disconnect(document(), SIGNAL(contentsChange(int,int,int)), this, SLOT(_q_reformatBlocks(int,int,int)));
}

void RollHighlighter::endLoad(QStringView text)
{
    QTextDocument *doc = document();
    connect(doc, SIGNAL(contentsChange(int,int,int)), this, SLOT(_q_reformatBlocks(int,int,int)));
    const bool frozen = m_frozen();
    const CommentKinds kinds = m_kinds();
    if (frozen || !(kinds == m_paintedKinds))
        m_stale = true;
    QTextBlock block = doc->begin();
    forEachTextLine(text, [&](QStringView line) {
        if (!block.isValid())
            return;
        const int state = !frozen && IsRecognisedComment(line, kinds) ? Comment : Caption;
        // Set before colouring, so the base class sees no state change and
        // does not go on to colour the following line too.
        block.setUserState(state);
        if (state == Comment || (line.size() <= kSpacesByFormatUpTo && line.contains(QChar(0x3000))))
            rehighlightBlock(block);
        block = block.next();
    });
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
    if (text.size() > kSpacesByFormatUpTo)
        return;
    for (qsizetype i = text.indexOf(QChar(0x3000)); i >= 0; i = text.indexOf(QChar(0x3000), i + 1))
        setFormat(int(i), 1, m_spaceFormat);
}
