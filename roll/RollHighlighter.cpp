#include "roll/RollHighlighter.h"

#include "roll/TextLines.h"

#include <QTextBlock>
#include <QTextCursor>
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
    const bool frozen = m_frozen();
    const CommentKinds kinds = m_kinds();
    if (frozen || !(kinds == m_paintedKinds))
        m_stale = true;
    // The formats go straight into the lines' layouts, in one edit: colouring
    // line by line through the base class lays out every coloured line (the
    // cursor it moves, then the change it reports), which costs more than
    // putting the text in. The edit reports one change, formats only, while
    // the base class is still disconnected from it.
    QTextCursor edit(doc);
    edit.beginEditBlock();
    QTextBlock block = doc->begin();
    forEachTextLine(text, [&](QStringView line) {
        if (!block.isValid())
            return;
        const State state = !frozen && IsRecognisedComment(line, kinds) ? Comment : Caption;
        block.setUserState(state);
        const QList<QTextLayout::FormatRange> formats = lineFormats(line, state);
        if (!formats.isEmpty())
            block.layout()->setFormats(formats);
        block = block.next();
    });
    edit.endEditBlock();
    connect(doc, SIGNAL(contentsChange(int,int,int)), this, SLOT(_q_reformatBlocks(int,int,int)));
}

QList<QTextLayout::FormatRange> RollHighlighter::lineFormats(QStringView line, State state) const
{
    QList<QTextLayout::FormatRange> formats;
    // Runs of one format in one range each, as the base class makes them.
    const auto add = [&formats](qsizetype from, qsizetype to, const QTextCharFormat &format) {
        if (to <= from)
            return;
        if (!formats.isEmpty() && formats.last().start + formats.last().length == from
            && formats.last().format == format)
            formats.last().length += int(to - from);
        else
            formats.append({int(from), int(to - from), format});
    };
    const bool spaces = line.size() <= kSpacesByFormatUpTo;
    qsizetype done = 0;
    for (qsizetype i = spaces ? line.indexOf(QChar(0x3000)) : -1; i >= 0; i = line.indexOf(QChar(0x3000), i + 1)) {
        if (state == Comment)
            add(done, i, m_commentFormat);
        add(i, i + 1, m_spaceFormat);
        done = i + 1;
    }
    if (state == Comment)
        add(done, line.size(), m_commentFormat);
    return formats;
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
    for (const QTextLayout::FormatRange &range : lineFormats(text, State(state)))
        setFormat(range.start, range.length, range.format);
}
