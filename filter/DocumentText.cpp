#include "filter/DocumentText.h"

#include "filter/PartReader.h"

#include <QSet>

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
                groupId = xmlAttribute(reader, u"id").toString();
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
                const QStringList text = notes ? notes->lines[kind].value(xmlAttribute(reader, u"id").toString())
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
                qsizetype count = qMax(xmlAttribute(reader, u"c").toLongLong(), 1LL);
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

