#pragma once
// One line of the analyser's output ("%m,%M,%y1,%U(%P-)"): surface form, base
// form, reading, part of speech. Lines with fewer than four fields (the
// end-of-sentence line, empty lines) are not records.
#include <QList>
#include <QSet>

#include <array>
#include <QStringList>
#include <QStringView>

// Splits a line by the comma-text rule: blanks and controls (U+0001–U+0020)
// before a field are skipped; a field in double quotes runs to the closing
// quote ("" inside stands for one); any other field ends at a comma or at a
// blank/control; a comma at the very end gives a final empty field.
QStringList parseRecord(QStringView line);

// The first four fields of `line` as parseRecord gives them, without a list
// or a string for each: false when the line is no record. The fields are
// views into `line`, or into a string added to `unquoted` where a field
// held doubled quotes.
bool recordFields(QStringView line, std::array<QStringView, 4> &fields, QStringList &unquoted);

// Every line of `morphemeText` split by parseRecord, records and non-records alike.
QList<QStringList> parseMorphemeText(const QString &morphemeText);

// Field 0 of every record (blanks and ideographic spaces removed), each
// distinct form once, in the order first met: what the word check needs of a
// morpheme text, read without splitting every record into a list.
QStringList distinctSurfaces(QStringView morphemeText);

// The same, gathered from a morpheme text that arrives in pieces of whole lines.
class SurfaceCollector {
public:
    void add(QStringView morphemeLines);
    const QStringList &surfaces() const { return m_surfaces; }

private:
    QStringList m_surfaces;
    QSet<QString> m_seen;
};

// The distinct parts of speech (field 3 of the records), letter case ignored
// for duplicates, sorted.
QStringList partsOfSpeech(const QList<QStringList> &records);
