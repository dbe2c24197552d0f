#include "slides/SlideRecords.h"

#include <algorithm>

using namespace Qt::StringLiterals;

QList<SlidePageLines> slidePages(const QStringList &lines)
{
    QList<SlidePageLines> pages;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        // Fields exist only before the last comma: no comma, no record.
        if (!line.contains(u','))
            continue;
        if (line.startsWith(u'-'))
            pages.append(SlidePageLines{i, {}});
        else if (!pages.isEmpty())
            pages.last().stringLines.append(i);
    }
    return pages;
}

QString slideTrimmed(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].unicode() <= 0x20)
        --end;
    return text.left(end);
}

int slideNumber(const QString &field)
{
    bool ok = false;
    const int value = field.toInt(&ok, 10);
    return ok ? value : 0;
}

SlidePosition slidePosition(const QString &field)
{
    if (field.startsWith(u'r')) {
        bool ok = false;
        const int step = field.mid(1).toInt(&ok, 10);
        return {true, ok ? step : 1};
    }
    return {false, slideNumber(field)};
}

QString slidePositionText(const SlidePosition &position)
{
    return (position.relative ? u"r"_s : QString()) + QString::number(position.value);
}

namespace {

QString fieldAt(const QStringList &fields, int index)
{
    return index < fields.size() ? fields.at(index) : QString();
}

// A text that stays one field of one line.
QString fieldText(QString text)
{
    text.remove(u',');
    for (QChar &c : text) {
        if (c == u'\n' || c == u'\r' || c == QChar(0x2028) || c == QChar(0x2029) || c == QChar(0x85))
            c = u' ';
    }
    return text;
}

} // namespace

SlidePageProps readSlidePage(const QString &line)
{
    const QStringList fields = slideFields(line);
    SlidePageProps page;
    page.title = slideTrimmed(fieldAt(fields, 0).mid(1));
    page.colour = slideColour(fieldAt(fields, 1), 0);
    page.left = slideNumber(fieldAt(fields, 3));
    page.top = slideNumber(fieldAt(fields, 4));
    page.width = slideNumber(fieldAt(fields, 5));
    page.height = slideNumber(fieldAt(fields, 6));
    return page;
}

SlideStringProps readSlideString(const QString &line)
{
    const QStringList fields = slideFields(line);
    SlideStringProps string;
    string.text = slideTrimmed(fieldAt(fields, 0));
    string.left = slidePosition(fieldAt(fields, 1));
    string.top = slidePosition(fieldAt(fields, 2));
    string.fontSize = slideNumber(fieldAt(fields, 3));
    string.colour = slideColour(fieldAt(fields, 4), 0);
    return string;
}

QString writeSlidePage(const SlidePageProps &page)
{
    return u'-' + fieldText(page.title) + u',' + QString::number(page.colour) + u",,"_s + QString::number(page.left)
        + u',' + QString::number(page.top) + u',' + QString::number(page.width) + u','
        + QString::number(page.height) + u",,,,,,,"_s;
}

QString writeSlideString(const SlideStringProps &string)
{
    QString text = fieldText(string.text);
    if (text.startsWith(u'-'))
        text[0] = u'－';
    return text + u',' + slidePositionText(string.left) + u',' + slidePositionText(string.top) + u','
        + QString::number(string.fontSize) + u',' + QString::number(string.colour) + u",c,c,,,,,,,"_s;
}

bool applySlideEdit(QStringList &lines, int page, const SlidePageProps &pageProps, int string,
                    const SlideStringProps &stringProps)
{
    const QList<SlidePageLines> pages = slidePages(lines);
    if (page < 0 || page >= pages.size())
        return false;
    const SlidePageLines &where = pages.at(page);
    lines[where.pageLine] = writeSlidePage(pageProps);
    if (string >= 0 && string < where.stringLines.size())
        lines[where.stringLines.at(string)] = writeSlideString(stringProps);
    return true;
}

QList<SlidePreviewItem> layoutSlidePage(const QStringList &lines, const SlidePageLines &page,
                                        const std::function<SlideCell(int fontSize)> &cell, int defaultColour)
{
    QList<SlidePreviewItem> items;
    double x = 0;
    double y = 0;
    int fontSize = 0;
    int colour = defaultColour;
    for (const int i : page.stringLines) {
        const QString &line = lines.at(i);
        const QStringList fields = slideFields(line);
        const QString colourField = fieldAt(fields, 4);
        // A broken colour keeps the previous one: two fallbacks tell it apart.
        if (slideColour(colourField, 1) == slideColour(colourField, 2))
            colour = slideColour(colourField, 0);
        const SlidePosition top = slidePosition(fieldAt(fields, 2));
        const SlidePosition left = slidePosition(fieldAt(fields, 1));
        if (top.relative || left.relative) {
            const SlideCell step = cell(fontSize);
            // Steps of hostile size must not overflow; the preview cannot
            // show them anyway.
            constexpr double far = 1e9;
            if (top.relative)
                y = std::clamp(y + top.value * step.height, -far, far);
            if (left.relative)
                x = std::clamp(x + left.value * step.width, -far, far);
        }
        if (!top.relative)
            y = top.value;
        if (!left.relative)
            x = left.value;
        fontSize = slideNumber(fieldAt(fields, 3));
        items.append(SlidePreviewItem{slideTrimmed(fieldAt(fields, 0)), x, y, fontSize, colour});
    }
    return items;
}
