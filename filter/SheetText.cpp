#include "filter/SheetText.h"

#include "filter/PartReader.h"

#include <algorithm>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

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
                const qint64 number = xmlAttribute(reader, u"r").toLongLong(&numbered);
                if (numbered && number > rowNumber + 1 && number <= 1048576)
                    rows.skip(number - rowNumber - 1);
                rowNumber = numbered && number > rowNumber ? number : rowNumber + 1;
            } else if (name == u"c" && inRow) {
                inCell = true;
                type = xmlAttribute(reader, u"t").toString();
                const int at = columnOf(xmlAttribute(reader, u"r"));
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
        const qint64 n = xmlAttribute(reader, name).toLongLong(&ok);
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
                qsizetype count = qMax(xmlAttribute(reader, u"c").toLongLong(), 1LL);
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

