#include "filter/DocumentText.h"

#include <QSet>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

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

QStringList paragraphs(const QByteArray &xml, const Dialect &d)
{
    QStringList lines;
    QXmlStreamReader reader(xml);
    QStringList open;       // paragraph texts under construction (paragraphs nest in text boxes)
    int skipDepth = 0;
    int textDepth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
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
                open.last() += u'\t';
            } else if (d.breaks.contains(name)) {
                open.last() += u'\n';
            } else if (name == d.spaces) {
                const int count = attribute(reader, u"c").toInt();
                open.last() += QString(qMax(count, 1), u' ');
            }
            break;
        }
        case QXmlStreamReader::EndElement: {
            const QString name = reader.name().toString();
            if (skipDepth > 0) {
                --skipDepth;
            } else if (d.paragraph.contains(name) && !open.isEmpty()) {
                lines << open.takeLast().split(u'\n');
            } else if (d.textElements.contains(name) && textDepth > 0) {
                --textDepth;
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (skipDepth == 0 && !open.isEmpty() && (d.textElements.isEmpty() || textDepth > 0))
                open.last() += reader.text();
            break;
        default:
            break;
        }
    }
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

QStringList wordDocumentLines(const QByteArray &xml)
{
    static const Dialect word{{u"p"_s}, {u"t"_s}, {u"tab"_s}, {u"br"_s, u"cr"_s},
                              {u"pPr"_s, u"rPr"_s, u"instrText"_s, u"delText"_s}, QString()};
    return paragraphs(xml, word);
}

QStringList openDocumentLines(const QByteArray &xml)
{
    static const Dialect odf{{u"p"_s, u"h"_s}, {}, {u"tab"_s}, {u"line-break"_s},
                             {u"annotation"_s, u"tracked-changes"_s}, u"s"_s};
    QStringList lines = paragraphs(xml, odf);
    // Line ends inside the XML are layout of the file, not of the text.
    for (QString &line : lines)
        line.replace(u'\n', u' ');
    return lines;
}

QStringList slideLines(const QByteArray &xml)
{
    static const Dialect slide{{u"p"_s}, {u"t"_s}, {}, {u"br"_s}, {u"pPr"_s, u"rPr"_s}, QString()};
    return paragraphs(xml, slide);
}

QStringList sharedStrings(const QByteArray &xml)
{
    // An item's line breaks stay inside it: a cell may hold several lines.
    QStringList strings;
    QXmlStreamReader reader(xml);
    QString current;
    bool inItem = false;
    int skipDepth = 0;
    int textDepth = 0;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
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
        }
    }
    return strings;
}

QStringList sheetLines(const QByteArray &xml, const QStringList &strings)
{
    QStringList lines;
    QXmlStreamReader reader(xml);
    QStringList cells;     // the row being read, by column
    QString type;          // the current cell's t attribute
    QString value;         // its v or inline text
    int column = -1;
    bool inRow = false;
    bool inCell = false;
    bool inText = false;
    int skipDepth = 0;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
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
                    bool ok = false;
                    const int index = value.trimmed().toInt(&ok);
                    text = ok && index >= 0 && index < strings.size() ? strings.at(index) : QString();
                } else if (type == u"b") {
                    text = value.trimmed() == u"1" ? u"TRUE"_s : u"FALSE"_s;
                }
                while (cells.size() <= column)
                    cells << QString();
                cells[column] = text;
            } else if (name == u"row" && inRow) {
                inRow = false;
                lines << cells.join(u'\t');
            }
        } else if (token == QXmlStreamReader::Characters && inText && skipDepth == 0) {
            value += reader.text();
        }
    }
    return lines;
}
