#pragma once
// The text of office documents from their XML parts, one paragraph (or table
// row) per line (spreadsheets: SheetText.h). Only what a reader would see as
// running text: formatting, tab-stop definitions and phonetic guides are left out.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// What reading one document met, across its parts. A small file may ask for
// far more text than it holds (a count of two billion blanks, a cell in the
// last column of every row, one long shared string in every cell), so the
// characters the reader makes up itself are limited; and a part may be
// damaged. Either way the text read up to there is kept and the problem noted.
class DocumentReading {
public:
    // One element expands to at most this many characters (the cells of the widest sheet row).
    static constexpr qsizetype kMaxExpansion = 16384;
    // Made-up characters in all: this many, plus a few for each character of the document's own text.
    static constexpr qint64 kExpansionAllowance = 1 << 20;
    static constexpr qint64 kExpansionPerTextChar = 4;

    // The part read next, named in the messages.
    void beginPart(const QString &name) { m_part = name; }
    QString part() const { return m_part; }

    // Characters of the document's own text were read.
    void ownText(qsizetype count) { m_text += count; }
    // How many of `wanted` made-up characters at `line` of the part may be
    // added: all of them, or fewer, and then reading stops.
    qsizetype allowExpansion(qsizetype wanted, qint64 line);

    // The text is incomplete from here: reading stops.
    void stop(const QString &why);
    // The text is not quite the document's, but reading goes on.
    void note(const QString &what) { m_problems << what; }

    bool stopped() const { return m_stopped; }
    // What the user should be told; empty when the whole document was read.
    QStringList problems() const { return m_problems; }

private:
    QString m_part;
    qint64 m_text = 0;
    qint64 m_expanded = 0;
    bool m_stopped = false;
    QStringList m_problems;
};

// The footnotes and endnotes of a .docx, each note's lines by its id.
struct DocumentNotes {
    enum Kind { Footnote, Endnote };
    QHash<QString, QStringList> lines[2];
};

// Ruby (a base text with its reading) comes out as the roll's ruby code,
// "`r" + reading + "`s" + base. A note comes out after the paragraph that cites
// it, as comment lines 「<-注1：…」 (endnotes 「<-注i：…」), never inside the
// caption text.

// word/document.xml of a .docx: one line per w:p, w:tab as a tab, w:br and w:cr
// as line breaks; the notes cited taken from `notes`, numbered in the order
// they are cited.
QStringList wordDocumentLines(const QByteArray &xml, DocumentReading &reading, const DocumentNotes &notes = {});

// word/footnotes.xml or word/endnotes.xml of a .docx, read into `notes`.
void readWordNotes(const QByteArray &xml, DocumentNotes::Kind kind, DocumentNotes &notes, DocumentReading &reading);

// content.xml of an OpenDocument (or older office zip) text or presentation:
// one line per text:p or text:h, text:s as blanks, text:tab, text:line-break;
// annotations left out, notes after their paragraph with their own mark.
QStringList openDocumentLines(const QByteArray &xml, DocumentReading &reading);

// ppt/slides/slideN.xml of a .pptx: one line per a:p, a:br as a line break.
QStringList slideLines(const QByteArray &xml, DocumentReading &reading);
