#include "filter/DocumentText.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>
#include <optional>

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
    // Ruby: the element holding a base text and its reading.
    QString ruby;
    QString rubyBase;
    QString rubyText;
    // Notes written where they are cited (OpenDocument): the note, its mark, its text.
    QString note;
    QString noteCitation;
    // Notes cited by reference (a .docx): the reference element, and which
    // kind of note (DocumentNotes::Kind) each stands for.
    QHash<QString, int> noteReferences;
    // Elements whose paragraphs are collected per "id" attribute instead of
    // read as lines (the notes of a .docx).
    QString group;
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

// A note's lines as the roll holds them: comment lines, which are never sent,
// after the paragraph that cites the note. The audience does not see a
// document's notes; the captioner reading along may want them.
QStringList noteLines(const QString &label, const QStringList &paragraphs)
{
    QStringList lines;
    for (const QString &paragraph : paragraphs) {
        for (const QString &line : paragraph.split(u'\n')) {
            const QString text = line.trimmed();
            if (!text.isEmpty())
                lines << u"<-注"_s + label + u"："_s + text;
        }
    }
    return lines;
}

// Lower-case roman numerals, as office programs number endnotes.
QString roman(int n)
{
    static const std::pair<int, const char16_t *> digits[] = {
        {1000, u"m"}, {900, u"cm"}, {500, u"d"}, {400, u"cd"}, {100, u"c"}, {90, u"xc"}, {50, u"l"},
        {40, u"xl"}, {10, u"x"}, {9, u"ix"}, {5, u"v"}, {4, u"iv"}, {1, u"i"}};
    QString out;
    for (const auto &[value, text] : digits) {
        for (; n >= value; n -= value)
            out += QStringView(text);
    }
    return out;
}

QStringList paragraphs(const QByteArray &xml, const Dialect &d, DocumentReading &reading,
                       const DocumentNotes *notes = nullptr, QHash<QString, QStringList> *groups = nullptr)
{
    QStringList lines;
    PartReader reader(xml, reading);
    QStringList open;       // paragraph texts under construction (paragraphs nest in text boxes and notes)
    int skipDepth = 0;
    int textDepth = 0;
    bool blanksCut = false; // told once: a part may ask for it thousands of times

    // Ruby being read: which of its parts the text goes to (0: neither).
    int rubyPart = 0;
    bool inRuby = false;
    QString rubyBase;
    QString rubyText;

    // A note being read where it is cited: its mark, its paragraphs, and how
    // many paragraphs were open when it began (those around it).
    bool inNote = false;
    bool inCitation = false;
    qsizetype noteOuter = 0;
    QString noteLabel;
    QStringList noteParagraphs;
    QStringList pendingNotes; // note lines waiting for the paragraph that cites them
    int noteCount[2] = {0, 0};

    QString groupId; // the group being read, when the dialect has groups
    bool inGroup = false;

    // Where text at this point goes.
    const auto target = [&]() -> QString * {
        if (inCitation)
            return &noteLabel;
        if (rubyPart == 1)
            return &rubyBase;
        if (rubyPart == 2)
            return &rubyText;
        return open.isEmpty() ? nullptr : &open.last();
    };
    const auto closeParagraph = [&] {
        const QString text = open.takeLast();
        if (inNote && open.size() >= noteOuter) {
            noteParagraphs << text;
            return;
        }
        const QStringList parts = text.split(u'\n');
        if (inGroup && groups)
            (*groups)[groupId] << parts;
        else
            lines << parts;
        if (open.isEmpty() && !pendingNotes.isEmpty()) {
            lines << pendingNotes;
            pendingNotes.clear();
        }
    };

    while (!reader.atEnd() && !reading.stopped()) {
        switch (reader.next()) {
        case QXmlStreamReader::StartElement: {
            const QString name = reader.name().toString();
            if (skipDepth > 0 || d.skipped.contains(name)) {
                ++skipDepth;
            } else if (!d.group.isEmpty() && name == d.group) {
                inGroup = true;
                groupId = attribute(reader, u"id").toString();
            } else if (d.paragraph.contains(name)) {
                open << QString();
            } else if (open.isEmpty()) {
                break;
            } else if (!d.note.isEmpty() && name == d.note && !inNote) {
                inNote = true;
                noteOuter = open.size();
                noteLabel.clear();
                noteParagraphs.clear();
            } else if (inNote && name == d.noteCitation) {
                inCitation = true;
            } else if (d.noteReferences.contains(name)) {
                const int kind = d.noteReferences.value(name);
                const int number = ++noteCount[kind];
                const QStringList text = notes ? notes->lines[kind].value(attribute(reader, u"id").toString())
                                               : QStringList();
                pendingNotes << noteLines(kind == DocumentNotes::Endnote ? roman(number) : QString::number(number),
                                          text);
            } else if (!d.ruby.isEmpty() && name == d.ruby) {
                inRuby = true;
                rubyBase.clear();
                rubyText.clear();
            } else if (inRuby && name == d.rubyBase) {
                rubyPart = 1;
            } else if (inRuby && name == d.rubyText) {
                rubyPart = 2;
            } else if (d.textElements.contains(name)) {
                ++textDepth;
            } else if (d.tabs.contains(name)) {
                if (reading.allowExpansion(1, reader.lineNumber()))
                    *target() += u'\t';
            } else if (d.breaks.contains(name)) {
                if (reading.allowExpansion(1, reader.lineNumber()))
                    *target() += u'\n';
            } else if (name == d.spaces) {
                qsizetype count = qMax(attribute(reader, u"c").toLongLong(), 1LL);
                if (count > DocumentReading::kMaxExpansion && !std::exchange(blanksCut, true)) {
                    reading.note(u"文書の %1 の %2 行目にある空白 %3 個は、%4 個にしました。"_s.arg(reading.part())
                                     .arg(reader.lineNumber())
                                     .arg(count)
                                     .arg(DocumentReading::kMaxExpansion));
                }
                count = qMin(count, DocumentReading::kMaxExpansion);
                *target() += QString(reading.allowExpansion(count, reader.lineNumber()), u' ');
            }
            break;
        }
        case QXmlStreamReader::EndElement: {
            const QString name = reader.name().toString();
            if (skipDepth > 0) {
                --skipDepth;
            } else if (inGroup && name == d.group) {
                inGroup = false;
            } else if (d.paragraph.contains(name) && !open.isEmpty()) {
                closeParagraph();
                reading.allowExpansion(1, reader.lineNumber()); // its line end
            } else if (inCitation && name == d.noteCitation) {
                inCitation = false;
            } else if (inNote && name == d.note) {
                inNote = false;
                pendingNotes << noteLines(noteLabel.trimmed(), noteParagraphs);
                if (open.isEmpty()) {
                    lines << pendingNotes;
                    pendingNotes.clear();
                }
            } else if (inRuby && (name == d.rubyBase || name == d.rubyText)) {
                rubyPart = 0;
            } else if (inRuby && name == d.ruby) {
                inRuby = false;
                rubyPart = 0;
                // The roll's own ruby code: IPtalk shows the reading above the base.
                const QString reading = rubyText.trimmed();
                if (!open.isEmpty())
                    open.last() += reading.isEmpty() ? rubyBase : u"`r"_s + reading + u"`s"_s + rubyBase;
            } else if (d.textElements.contains(name) && textDepth > 0) {
                --textDepth;
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (skipDepth == 0 && !open.isEmpty() && (d.textElements.isEmpty() || textDepth > 0)) {
                *target() += reader.text();
                reading.ownText(reader.text().size());
            }
            break;
        default:
            break;
        }
    }
    reader.finish();
    // Paragraphs cut short by a stop, innermost first as they would have ended.
    if (inRuby && !open.isEmpty())
        open.last() += rubyBase;
    inNote = false;
    while (!open.isEmpty())
        closeParagraph();
    lines << pendingNotes;
    return lines;
}

// Rows of a sheet as lines: cells separated by tabs, empty cells at a row's
// end and empty rows at a sheet's end left out (a sheet's file may list them
// by the million), empty rows before and between kept. A sheet that has rows
// is set off from the one before by a blank line.
class SheetRows {
public:
    SheetRows(QStringList &lines, DocumentReading &reading)
        : m_lines(lines), m_reading(reading)
    {
    }

    // A row of `cells`, `repeat` times over.
    void add(QStringList cells, qint64 repeat, qint64 line)
    {
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        if (cells.isEmpty()) {
            m_emptyRows += repeat;
            return;
        }
        // The rows before it, and its copies, are made up; the first copy is the file's own.
        const qint64 wanted = m_emptyRows + (repeat - 1);
        if (wanted > 0 && m_reading.allowExpansion(qsizetype(std::min<qint64>(wanted, 1LL << 40)), line) < wanted)
            return;
        if (!m_sheetHasRows && !m_lines.isEmpty())
            m_lines << QString(); // a blank line between sheets
        for (qint64 i = 0; i < m_emptyRows; ++i)
            m_lines << QString();
        m_emptyRows = 0;
        const QString text = cells.join(u'\t');
        for (qint64 i = 0; i < repeat && !m_reading.stopped(); ++i) {
            if (i > 0 && m_reading.allowExpansion(text.size(), line) < text.size())
                break;
            m_lines << text;
        }
        m_sheetHasRows = true;
    }
    // Empty rows before the next one (a gap in the row numbers).
    void skip(qint64 rows) { m_emptyRows += rows; }

private:
    QStringList &m_lines;
    DocumentReading &m_reading;
    qint64 m_emptyRows = 0;
    bool m_sheetHasRows = false;
};

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

namespace {

Dialect wordDialect()
{
    Dialect word;
    word.paragraph = {u"p"_s};
    word.textElements = {u"t"_s};
    word.tabs = {u"tab"_s};
    word.breaks = {u"br"_s, u"cr"_s};
    word.skipped = {u"pPr"_s, u"rPr"_s, u"rubyPr"_s, u"instrText"_s, u"delText"_s};
    word.ruby = u"ruby"_s;
    word.rubyBase = u"rubyBase"_s;
    word.rubyText = u"rt"_s;
    word.noteReferences = {{u"footnoteReference"_s, DocumentNotes::Footnote},
                           {u"endnoteReference"_s, DocumentNotes::Endnote}};
    return word;
}

} // namespace

QStringList wordDocumentLines(const QByteArray &xml, DocumentReading &reading, const DocumentNotes &notes)
{
    static const Dialect word = wordDialect();
    return paragraphs(xml, word, reading, &notes);
}

void readWordNotes(const QByteArray &xml, DocumentNotes::Kind kind, DocumentNotes &notes, DocumentReading &reading)
{
    static const Dialect footnotes = [] {
        Dialect d = wordDialect();
        d.noteReferences.clear();
        d.group = u"footnote"_s;
        return d;
    }();
    static const Dialect endnotes = [] {
        Dialect d = footnotes;
        d.group = u"endnote"_s;
        return d;
    }();
    paragraphs(xml, kind == DocumentNotes::Footnote ? footnotes : endnotes, reading, nullptr, &notes.lines[kind]);
}

QStringList openDocumentLines(const QByteArray &xml, DocumentReading &reading)
{
    static const Dialect odf = [] {
        Dialect d;
        d.paragraph = {u"p"_s, u"h"_s};
        d.tabs = {u"tab"_s};
        d.breaks = {u"line-break"_s};
        d.skipped = {u"annotation"_s, u"tracked-changes"_s};
        d.spaces = u"s"_s;
        d.ruby = u"ruby"_s;
        d.rubyBase = u"ruby-base"_s;
        d.rubyText = u"ruby-text"_s;
        d.note = u"note"_s;
        d.noteCitation = u"note-citation"_s;
        return d;
    }();
    QStringList lines = paragraphs(xml, odf, reading);
    // Line ends inside the XML are layout of the file, not of the text.
    for (QString &line : lines)
        line.replace(u'\n', u' ');
    return lines;
}

QStringList slideLines(const QByteArray &xml, DocumentReading &reading)
{
    static const Dialect slide = [] {
        Dialect d;
        d.paragraph = {u"p"_s};
        d.textElements = {u"t"_s};
        d.breaks = {u"br"_s};
        d.skipped = {u"pPr"_s, u"rPr"_s};
        return d;
    }();
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

QStringList sheetLines(const QByteArray &xml, const QStringList &strings, DocumentReading &reading,
                       QStringList lines)
{
    SheetRows rows(lines, reading);
    PartReader reader(xml, reading);
    QStringList cells;     // the row being read, by column
    QString type;          // the current cell's t attribute
    QString value;         // its v or inline text
    int column = -1;
    qint64 rowNumber = 0;  // of the last row read
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
                // Rows without cells are not listed: a jump in the numbers is empty rows.
                bool numbered = false;
                const qint64 number = attribute(reader, u"r").toLongLong(&numbered);
                if (numbered && number > rowNumber + 1 && number <= 1048576)
                    rows.skip(number - rowNumber - 1);
                rowNumber = numbered && number > rowNumber ? number : rowNumber + 1;
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
                rows.add(cells, 1, reader.lineNumber());
                reading.allowExpansion(1, reader.lineNumber()); // its line end
            }
        } else if (token == QXmlStreamReader::Characters && inText && skipDepth == 0) {
            value += reader.text();
            reading.ownText(reader.text().size());
        }
    }
    reader.finish();
    if (inRow)
        rows.add(cells, 1, reader.lineNumber()); // the row cut short
    return lines;
}

QStringList spreadsheetLines(const QByteArray &xml, DocumentReading &reading)
{
    // A repeated row or cell is the file's own once; its copies are made up.
    static constexpr qint64 kMaxRepeat = 1 << 20;
    const auto repeats = [](const QXmlStreamReader &reader, QStringView name) {
        bool ok = false;
        const qint64 n = attribute(reader, name).toLongLong(&ok);
        return ok ? std::clamp<qint64>(n, 1, kMaxRepeat) : 1;
    };
    QStringList lines;
    std::optional<SheetRows> rows;
    PartReader reader(xml, reading);
    QStringList cells;
    qint64 rowRepeat = 1;
    qint64 cellRepeat = 1;
    qint64 emptyCells = 0; // empty cells not yet added: they matter only before a filled one
    QString cell;
    int paragraphsInCell = 0;
    bool inCell = false;
    bool inParagraph = false;
    bool blanksCut = false;
    int skipDepth = 0;
    while (!reader.atEnd() && !reading.stopped()) {
        const auto token = reader.next();
        const QString name = reader.name().toString();
        if (token == QXmlStreamReader::StartElement) {
            if (skipDepth > 0 || name == u"annotation" || name == u"shapes") {
                ++skipDepth;
            } else if (name == u"table") {
                rows.emplace(lines, reading);
            } else if (name == u"table-row" && rows) {
                cells.clear();
                emptyCells = 0;
                rowRepeat = repeats(reader, u"number-rows-repeated");
            } else if (name == u"table-cell" || name == u"covered-table-cell") {
                inCell = true;
                cell.clear();
                paragraphsInCell = 0;
                cellRepeat = repeats(reader, u"number-columns-repeated");
            } else if (inCell && name == u"p") {
                // The paragraphs of a cell are its lines, as in a .xlsx cell.
                if (paragraphsInCell++ > 0)
                    cell += u'\n';
                inParagraph = true;
            } else if (inCell && name == u"tab") {
                if (reading.allowExpansion(1, reader.lineNumber()))
                    cell += u'\t';
            } else if (inCell && name == u"line-break") {
                if (reading.allowExpansion(1, reader.lineNumber()))
                    cell += u'\n';
            } else if (inCell && name == u"s") {
                qsizetype count = qMax(attribute(reader, u"c").toLongLong(), 1LL);
                if (count > DocumentReading::kMaxExpansion && !std::exchange(blanksCut, true))
                    reading.note(u"文書の %1 の %2 行目にある空白 %3 個は、%4 個にしました。"_s.arg(reading.part())
                                     .arg(reader.lineNumber())
                                     .arg(count)
                                     .arg(DocumentReading::kMaxExpansion));
                count = qMin(count, DocumentReading::kMaxExpansion);
                cell += QString(reading.allowExpansion(count, reader.lineNumber()), u' ');
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (skipDepth > 0) {
                --skipDepth;
            } else if (name == u"p") {
                inParagraph = false;
            } else if ((name == u"table-cell" || name == u"covered-table-cell") && inCell) {
                inCell = false;
                if (cell.isEmpty()) {
                    emptyCells += cellRepeat;
                    continue;
                }
                const qint64 made = emptyCells + (cellRepeat - 1) * (cell.size() + 1);
                if (made > 0 && reading.allowExpansion(qsizetype(made), reader.lineNumber()) < made)
                    break;
                for (qint64 i = 0; i < emptyCells; ++i)
                    cells << QString();
                emptyCells = 0;
                for (qint64 i = 0; i < cellRepeat; ++i)
                    cells << cell;
            } else if (name == u"table-row" && rows) {
                rows->add(cells, rowRepeat, reader.lineNumber());
                reading.allowExpansion(1, reader.lineNumber()); // its line end
                cells.clear();
            } else if (name == u"table") {
                rows.reset();
            }
        } else if (token == QXmlStreamReader::Characters && inCell && skipDepth == 0 && inParagraph) {
            cell += reader.text();
            reading.ownText(reader.text().size());
        }
    }
    reader.finish();
    if (rows && !cells.isEmpty())
        rows->add(cells, 1, reader.lineNumber()); // the row cut short
    return lines;
}
