#include "slides/SlideFile.h"

#include "roll/RollConventions.h"

using namespace Qt::StringLiterals;

QStringList slideFields(const QString &line)
{
    QStringList fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u',') {
            fields.append(line.mid(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

int slideColour(const QString &field, int fallback)
{
    bool ok = false;
    const int value = field.toInt(&ok, 10);
    if (ok)
        return value;
    if (field == u"clWhite")
        return SlideColours::White;
    if (field == u"clBlack")
        return SlideColours::Black;
    if (field == u"clRed")
        return SlideColours::Red;
    if (field == u"clYellow")
        return SlideColours::Yellow;
    if (field == u"clBlue")
        return SlideColours::Blue;
    return fallback;
}

namespace {

QString pageRecord(const QString &title, const SlideSettings &s)
{
    return u'-' + title + u',' + QString::number(s.pageColour) + u",,"_s + QString::number(s.left) + u','
        + QString::number(s.top) + u',' + QString::number(s.width) + u',' + QString::number(s.height)
        + u",,,,,,,,,,"_s;
}

QString trimmedEnd(const QString &line)
{
    qsizetype end = line.size();
    while (end > 0 && line[end - 1].unicode() <= 0x20)
        --end;
    return line.left(end);
}

// Applies or removes the colour codes; returns the colour text ("" = default).
QString takeColourCodes(QString &text, const SlideSettings &s)
{
    QString colour;
    if (s.colourCodes && text.size() >= 2 && text[text.size() - 2] == u',') {
        const QChar digit = text.back();
        if (digit >= u'0' && digit <= u'8') {
            colour = digit == u'0' ? QString() : QString::number(s.codeColours[digit.unicode() - u'1']);
            text.chop(2);
        }
    }
    for (int code = 0; code <= 8; ++code) {
        const QString mark = u'`' + QString::number(code);
        if (!text.contains(mark))
            continue;
        text.remove(mark);
        if (s.colourCodes)
            colour = code == 0 ? QString() : QString::number(s.codeColours[code - 1]);
    }
    return colour;
}

} // namespace

QStringList convertRollToSlide(const QStringList &lines, const SlideSettings &settings)
{
    QStringList out{pageRecord(u"スライド1"_s, settings)};
    bool firstString = true;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString &line = lines.at(n);
        if (IsCommentLine(line))
            continue;
        if (line.startsWith(u"`@")) {
            out.append(pageRecord(u"スライド"_s + QString::number(n), settings));
            firstString = true;
            continue;
        }
        QString text = trimmedEnd(line);
        const QString colourText = takeColourCodes(text, settings);
        text.remove(u',');
        // A string starting with "-" would come back as a page.
        if (text.startsWith(u'-'))
            text[0] = u'－';
        const int colour = colourText.isEmpty() ? settings.fontColour : colourText.toInt();
        // Concatenated, not formatted: the text may hold "%1" itself.
        const QString position = firstString ? u",0,0,"_s : u",,r1,"_s;
        firstString = false;
        out.append(text + position + QString::number(settings.fontSize) + u',' + QString::number(colour)
                   + u",c,c,,,,,,"_s);
    }
    return out;
}
