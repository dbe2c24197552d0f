#pragma once
// MeCab's records in the form every user of the morphemes reads, ChaSen's
// "%m,%M,%y1,%U(%P-)". MeCab runs over the same dictionary family (IPAdic),
// so its features carry the same names; only their layout differs:
//   surface TAB pos,pos1,pos2,pos3,conjugation type,conjugation form,base,reading,pronunciation
// with "*" for an empty feature. A word the dictionary does not hold has
// only the first seven features (a guessed part of speech, no reading).
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// One morpheme with the fields ChaSen gives for it.
struct AnalyserRecord {
    QString surface;         // as written in the text
    QString base;            // dictionary form; empty for an unknown word, as ChaSen leaves it
    QString reading;         // katakana; empty for an unknown word
    QString partOfSpeech;    // ChaSen's naming, the levels joined by "-": 「名詞-固有名詞-人名-姓」
    QString conjugationType; // 「五段・ラ行」; empty when the word does not conjugate
    QString conjugationForm; // 「連用タ接続」; empty likewise
    bool inDictionary = true; // false: the analyser's guess for a word it does not know

    bool operator==(const AnalyserRecord &) const = default;
};

// The record of one MeCab output line; nothing for a line that is no record
// (「EOS」, an empty line, a line without features). Unknown words become
// what ChaSen writes for them: 「未知語」 without base form and reading;
// a run of digits stays a number (名詞-数) and a run of symbols a symbol
// (記号-一般), as ChaSen tags every digit and symbol it reads.
std::optional<AnalyserRecord> recordFromMecab(QStringView line);

// The record as a line of ChaSen's format, without the line end. A field
// holding a comma, a double quote or a blank is quoted (the record parse
// reads it whole), where ChaSen would write it bare and tear the record.
QString chasenRecordLine(const AnalyserRecord &record);

// MeCab's output (UTF-8, whole lines, each ending with LF) as ChaSen's
// records: records converted, 「EOS」 kept, other lines dropped. A run of
// symbols MeCab does not know becomes a record for each symbol, as ChaSen
// writes them.
QByteArray chasenRecordsFromMecab(QByteArrayView utf8Lines);
