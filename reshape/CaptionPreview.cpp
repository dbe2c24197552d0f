#include "reshape/CaptionPreview.h"

#include "roll/RollConventions.h"

#include <QTextBoundaryFinder>

QList<qsizetype> characterEnds(QStringView text)
{
    QList<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    while (finder.toNextBoundary() > 0)
        ends.append(finder.position());
    return ends;
}

namespace {

PreviewLine measured(const QString &text, WidthModel &model, qint64 screenWidth)
{
    PreviewLine line{.text = text, .comment = IsCommentLine(text)};
    // Widths add up, so the running sum at each character's end is the width
    // of the text up to there.
    qsizetype start = 0;
    bool fits = true;
    for (const qsizetype end : characterEnds(text)) {
        line.width += model.width(QStringView(text).sliced(start, end - start));
        if (fits && line.width <= screenWidth)
            line.fitting = end;
        else
            fits = false;
        start = end;
    }
    if (line.comment)
        line.fitting = text.size();
    return line;
}

} // namespace

QList<PreviewLine> previewLines(const QStringList &lines, WidthModel &model, qint64 screenWidth)
{
    QList<PreviewLine> shown;
    shown.reserve(lines.size());
    for (const QString &text : lines)
        shown.append(measured(text, model, screenWidth));
    return shown;
}
