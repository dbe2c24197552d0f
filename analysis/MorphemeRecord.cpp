#include "analysis/MorphemeRecord.h"

#include "roll/TextLines.h"

#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
bool isBlankOrControl(QChar c)
{
    return c.unicode() >= 0x01 && c.unicode() <= 0x20;
}

// Walks the fields of one line by the comma-text rule without copying: each
// field is a span of the line, quoted fields still holding their doubled quotes.
class FieldScanner {
public:
    explicit FieldScanner(QStringView line) : m_line(line)
    {
        skipBlanks();
        m_more = m_i < m_line.size();
    }

    // The next field's raw span (quotes excluded) and whether it was quoted;
    // false when the line has no more fields.
    bool next(QStringView &raw, bool &quoted)
    {
        if (!m_more)
            return false;
        if (m_pendingEmpty) { // a comma at the very end
            m_pendingEmpty = m_more = false;
            raw = {};
            quoted = false;
            return true;
        }
        const qsizetype n = m_line.size();
        quoted = m_line[m_i] == u'"';
        if (quoted) {
            const qsizetype start = ++m_i;
            while (m_i < n) {
                if (m_line[m_i] == u'"') {
                    if (m_i + 1 < n && m_line[m_i + 1] == u'"') {
                        m_i += 2;
                        continue;
                    }
                    break;
                }
                ++m_i;
            }
            raw = m_line.sliced(start, m_i - start);
            if (m_i < n)
                ++m_i; // the closing quote
        } else {
            const qsizetype start = m_i;
            while (m_i < n && m_line[m_i] != u',' && !isBlankOrControl(m_line[m_i]))
                ++m_i;
            raw = m_line.sliced(start, m_i - start);
        }
        skipBlanks();
        if (m_i < n && m_line[m_i] == u',') {
            ++m_i;
            skipBlanks();
            m_pendingEmpty = m_i >= n;
        } else {
            // Another field may follow after blanks without a comma.
            m_more = m_i < n;
        }
        return true;
    }

private:
    void skipBlanks()
    {
        while (m_i < m_line.size() && isBlankOrControl(m_line[m_i]))
            ++m_i;
    }

    QStringView m_line;
    qsizetype m_i = 0;
    bool m_more = false;
    bool m_pendingEmpty = false;
};

QString fieldText(QStringView raw, bool quoted)
{
    QString text = raw.toString();
    if (quoted && raw.contains(u'"'))
        text.replace(u"\"\""_s, u"\""_s); // one field, never a whole text
    return text;
}

} // namespace

bool recordFields(QStringView line, std::array<QStringView, 4> &fields, QStringList &unquoted)
{
    FieldScanner scanner(line);
    bool quoted = false;
    for (QStringView &field : fields) {
        if (!scanner.next(field, quoted))
            return false;
        if (quoted && field.contains(u'"')) {
            unquoted.append(fieldText(field, quoted));
            field = unquoted.constLast();
        }
    }
    return true;
}

QStringList parseRecord(QStringView line)
{
    QStringList fields;
    FieldScanner scanner(line);
    QStringView raw;
    bool quoted = false;
    while (scanner.next(raw, quoted))
        fields.append(fieldText(raw, quoted));
    return fields;
}

void SurfaceCollector::add(QStringView morphemeLines)
{
    QString surface;
    forEachWrittenLine(morphemeLines, [&](QStringView line) {
        FieldScanner scanner(line);
        QStringView raw, ignored;
        bool quoted = false, ignoredQuoted = false;
        if (!scanner.next(raw, quoted))
            return;
        int fields = 1;
        while (fields < 4 && scanner.next(ignored, ignoredQuoted))
            ++fields;
        if (fields < 4)
            return;
        surface = fieldText(raw, quoted);
        surface.remove(u' ').remove(u'　');
        if (!m_seen.contains(surface)) {
            m_seen.insert(surface);
            m_surfaces.append(surface);
        }
    });
}

QStringList distinctSurfaces(QStringView morphemeText)
{
    SurfaceCollector collector;
    collector.add(morphemeText);
    return collector.surfaces();
}

QList<QStringList> parseMorphemeText(const QString &morphemeText)
{
    QList<QStringList> records;
    forEachWrittenLine(QStringView(morphemeText), [&records](QStringView line) { records.append(parseRecord(line)); });
    return records;
}

QStringList partsOfSpeech(const QList<QStringList> &records)
{
    QStringList parts;
    QSet<QString> seen;
    for (const QStringList &r : records) {
        if (r.size() < 4 || r.at(3).isEmpty())
            continue;
        const QString folded = r.at(3).toCaseFolded();
        if (seen.contains(folded))
            continue;
        seen.insert(folded);
        parts.append(r.at(3));
    }
    std::sort(parts.begin(), parts.end());
    return parts;
}
