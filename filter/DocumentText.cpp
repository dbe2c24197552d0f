#include "filter/DocumentText.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <utility>

using namespace Qt::StringLiterals;

qsizetype DocumentReading::allowExpansion(qsizetype wanted, qint64 line)
{
    if (m_stopped)
        return 0;
    const qint64 room = kExpansionAllowance + kExpansionPerTextChar * m_text - m_expanded;
    if (wanted <= room) {
        m_expanded += wanted;
        return wanted;
    }
    stop(u"文書の %1 は %2 行目で打ち切りました。空白・タブ・改行・繰り返しの文字が、文書の文字数に比べて多すぎます。"_s
             .arg(m_part)
             .arg(line));
    const qsizetype granted = qsizetype(std::max<qint64>(room, 0));
    m_expanded += granted;
    return granted;
}

void DocumentReading::stop(const QString &why)
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_problems << why;
}

namespace {

// Checked a piece at a time: a part may be hundreds of megabytes.
bool isUtf8(const QByteArray &bytes)
{
    constexpr qsizetype kPiece = 1 << 16;
    for (qsizetype at = 0; at < bytes.size();) {
        // Pieces end before a lead byte, so no sequence is split between them.
        qsizetype end = std::min(at + kPiece, bytes.size());
        while (end < bytes.size() && (uchar(bytes[end]) & 0xC0) == 0x80 && end - at < kPiece + 3)
            ++end;
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString piece = utf8(QByteArrayView(bytes).sliced(at, end - at));
        if (utf8.hasError())
            return false;
        at = end;
    }
    return true;
}

// Hands the part to the reader. Bytes that are not UTF-8 would stop the reader
// before the first character, so in a part that is meant to be UTF-8 they
// become U+FFFD (written as "?") and the rest is read.
void feed(QXmlStreamReader &reader, const QByteArray &xml, DocumentReading &reading)
{
    static const QRegularExpression declared(uR"(^\s*<\?xml[^>]*encoding\s*=\s*["']([^"']*))"_s);
    const bool utf16 = xml.startsWith("\xFF\xFE") || xml.startsWith("\xFE\xFF");
    const auto m = declared.match(QString::fromLatin1(xml.left(200)));
    const bool otherEncoding = m.hasMatch() && m.captured(1).compare(u"UTF-8"_s, Qt::CaseInsensitive) != 0;
    if (utf16 || otherEncoding || isUtf8(xml)) {
        reader.addData(xml);
        return;
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(xml);
    const qsizetype broken = text.count(QChar::ReplacementCharacter) - xml.count("\xEF\xBF\xBD");
    reading.note(u"文書の %1 に UTF-8 として読めないバイトが %2 か所あり、「?」にしました。"_s.arg(reading.part())
                     .arg(broken));
    reader.addData(text);
}

// A part's XML reader that remembers why it stopped. At a premature end (a
// part cut short) the reader still holds back the text it was in, waiting to
// see where it ends; one more "<" lets that text out.
class PartReader : public QXmlStreamReader {
public:
    PartReader(const QByteArray &xml, DocumentReading &reading)
        : m_reading(reading)
    {
        feed(*this, xml, reading);
    }

    TokenType next()
    {
        TokenType token = readNext();
        if (token == Invalid && m_error.isEmpty()) {
            m_line = lineNumber();
            m_error = errorString();
            if (error() == PrematureEndOfDocumentError) {
                addData(QByteArray("<"));
                token = readNext();
            }
        }
        return token;
    }

    // After the reading loop: an error stops the document's text here.
    void finish()
    {
        if (!m_error.isEmpty())
            m_reading.stop(u"文書の %1 は %2 行目から先が読めません（%3）。"_s.arg(m_reading.part())
                               .arg(m_line)
                               .arg(m_error));
    }

private:
    DocumentReading &m_reading;
    qint64 m_line = 0;
    QString m_error;
};

// Which elements make up paragraphs and text in one XML dialect. Names are
// local names; the prefixes differ between producers.
struct Dialect {
    QSet<QString> paragraph;    // one line each
    QSet<QString> textElements; // text counts only inside these; empty: all text inside a paragraph
    QSet<QString> tabs;
    QSet<QString> breaks;
    QSet<QString> skipped;      // subtrees whose text is not running text
    QString spaces;             // element standing for blanks (count in attribute "c")
};

// An attribute by its local name, whatever prefix the producer gave it.
QStringView attribute(const QXmlStreamReader &reader, QStringView localName)
{
    for (const QXmlStreamAttribute &a : reader.attributes()) {
        if (a.name() == localName)
            return a.value();
    }
    return {};
}

QStringList paragraphs(const QByteArray &xml, const Dialect &d, DocumentReading &reading)
{
    QStringList lines;
    PartReader reader(xml, reading);
    QStringList open;       // paragraph texts under construction (paragraphs nest in text boxes)
    int skipDepth = 0;
    int textDepth = 0;
    bool blanksCut = false; // told once: a part may ask for it thousands of times
    while (!reader.atEnd() && !reading.stopped()) {
        switch (reader.next()) {
        case QXmlStreamReader::StartElement: {
            const QString name = reader.name().toString();
            if (skipDepth > 0 || d.skipped.contains(name)) {
                ++skipDepth;
            } else if (d.paragraph.contains(name)) {
                open << QString();
            } else if (open.isEmpty()) {
                break;
            } else if (d.textElements.contains(name)) {
                ++textDepth;
            } else if (d.tabs.contains(name)) {
                if (reading.allowExpansion(1, reader.lineNumber()))
                    open.last() += u'\t';
            } else if (d.breaks.contains(name)) {
                if (reading.allowExpansion(1, reader.lineNumber()))
                    open.last() += u'\n';
            } else if (name == d.spaces) {
                qsizetype count = qMax(attribute(reader, u"c").toLongLong(), 1LL);
                if (count > DocumentReading::kMaxExpansion && !std::exchange(blanksCut, true)) {
                    reading.note(u"文書の %1 の %2 行目にある空白 %3 個は、%4 個にしました。"_s.arg(reading.part())
                                     .arg(reader.lineNumber())
                                     .arg(count)
                                     .arg(DocumentReading::kMaxExpansion));
                }
                count = qMin(count, DocumentReading::kMaxExpansion);
                open.last() += QString(reading.allowExpansion(count, reader.lineNumber()), u' ');
            }
            break;
        }
        case QXmlStreamReader::EndElement: {
            const QString name = reader.name().toString();
            if (skipDepth > 0) {
                --skipDepth;
            } else if (d.paragraph.contains(name) && !open.isEmpty()) {
                lines << open.takeLast().split(u'\n');
                reading.allowExpansion(1, reader.lineNumber()); // its line end
            } else if (d.textElements.contains(name) && textDepth > 0) {
                --textDepth;
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (skipDepth == 0 && !open.isEmpty() && (d.textElements.isEmpty() || textDepth > 0)) {
                open.last() += reader.text();
                reading.ownText(reader.text().size());
            }
            break;
        default:
            break;
        }
    }
    reader.finish();
    // Paragraphs cut short by a stop, innermost first as they would have ended.
    while (!open.isEmpty())
        lines << open.takeLast().split(u'\n');
    return lines;
}

// "AB12" → 27 (zero-based column of a cell reference); -1 when there is none.
int columnOf(QStringView reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i)
        column = column * 26 + (reference[i].toUpper().unicode() - u'A' + 1);
    // Beyond the widest sheet (XFD) the reference is not trusted.
    return i == 0 || i > 3 || column > 16384 ? -1 : column - 1;
}

} // namespace

QStringList wordDocumentLines(const QByteArray &xml, DocumentReading &reading)
{
    static const Dialect word{{u"p"_s}, {u"t"_s}, {u"tab"_s}, {u"br"_s, u"cr"_s},
                              {u"pPr"_s, u"rPr"_s, u"instrText"_s, u"delText"_s}, QString()};
    return paragraphs(xml, word, reading);
}

QStringList openDocumentLines(const QByteArray &xml, DocumentReading &reading)
{
    static const Dialect odf{{u"p"_s, u"h"_s}, {}, {u"tab"_s}, {u"line-break"_s},
                             {u"annotation"_s, u"tracked-changes"_s}, u"s"_s};
    QStringList lines = paragraphs(xml, odf, reading);
    // Line ends inside the XML are layout of the file, not of the text.
    for (QString &line : lines)
        line.replace(u'\n', u' ');
    return lines;
}

QStringList slideLines(const QByteArray &xml, DocumentReading &reading)
{
    static const Dialect slide{{u"p"_s}, {u"t"_s}, {}, {u"br"_s}, {u"pPr"_s, u"rPr"_s}, QString()};
    return paragraphs(xml, slide, reading);
}

QStringList sharedStrings(const QByteArray &xml, DocumentReading &reading)
{
    // An item's line breaks stay inside it: a cell may hold several lines.
    QStringList strings;
    PartReader reader(xml, reading);
    QString current;
    bool inItem = false;
    int skipDepth = 0;
    int textDepth = 0;
    while (!reader.atEnd()) {
        const auto token = reader.next();
        const QString name = reader.name().toString();
        if (token == QXmlStreamReader::StartElement) {
            if (skipDepth > 0 || name == u"rPh" || name == u"phoneticPr")
                ++skipDepth;
            else if (name == u"si") {
                inItem = true;
                current.clear();
            } else if (inItem && name == u"t")
                ++textDepth;
        } else if (token == QXmlStreamReader::EndElement) {
            if (skipDepth > 0)
                --skipDepth;
            else if (name == u"si") {
                strings << current;
                inItem = false;
            } else if (name == u"t" && textDepth > 0)
                --textDepth;
        } else if (token == QXmlStreamReader::Characters && inItem && skipDepth == 0
                   && textDepth > 0) {
            current += reader.text();
            reading.ownText(reader.text().size());
        }
    }
    reader.finish();
    if (inItem)
        strings << current;
    return strings;
}

QStringList sheetLines(const QByteArray &xml, const QStringList &strings, DocumentReading &reading)
{
    QStringList lines;
    PartReader reader(xml, reading);
    QStringList cells;     // the row being read, by column
    QString type;          // the current cell's t attribute
    QString value;         // its v or inline text
    int column = -1;
    bool inRow = false;
    bool inCell = false;
    bool inText = false;
    int skipDepth = 0;
    while (!reader.atEnd() && !reading.stopped()) {
        const auto token = reader.next();
        const QString name = reader.name().toString();
        if (token == QXmlStreamReader::StartElement) {
            if (skipDepth > 0 || name == u"rPh") {
                ++skipDepth;
            } else if (name == u"row") {
                inRow = true;
                cells.clear();
            } else if (name == u"c" && inRow) {
                inCell = true;
                type = attribute(reader, u"t").toString();
                const int at = columnOf(attribute(reader, u"r"));
                column = at >= 0 ? at : int(cells.size());
                value.clear();
            } else if (inCell && (name == u"v" || name == u"t")) {
                inText = true;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (skipDepth > 0) {
                --skipDepth;
            } else if (name == u"v" || name == u"t") {
                inText = false;
            } else if (name == u"c" && inCell) {
                inCell = false;
                QString text = value;
                if (type == u"s") {
                    // Every use of a shared string is a copy the file does not pay for.
                    bool ok = false;
                    const int index = value.trimmed().toInt(&ok);
                    text = ok && index >= 0 && index < strings.size() ? strings.at(index) : QString();
                    text.truncate(reading.allowExpansion(text.size(), reader.lineNumber()));
                } else if (type == u"b") {
                    text = value.trimmed() == u"1" ? u"TRUE"_s : u"FALSE"_s;
                }
                // The tabs that bring the cell to its column.
                const qsizetype gap = column - cells.size();
                if (gap > 0 && reading.allowExpansion(gap, reader.lineNumber()) < gap)
                    break;
                while (cells.size() <= column)
                    cells << QString();
                cells[column] = text;
            } else if (name == u"row" && inRow) {
                inRow = false;
                lines << cells.join(u'\t');
                reading.allowExpansion(1, reader.lineNumber()); // its line end
            }
        } else if (token == QXmlStreamReader::Characters && inText && skipDepth == 0) {
            value += reader.text();
            reading.ownText(reader.text().size());
        }
    }
    reader.finish();
    if (inRow)
        lines << cells.join(u'\t'); // the row cut short
    return lines;
}
