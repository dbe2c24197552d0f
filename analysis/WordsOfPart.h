#pragma once
// What the word analysis window lists and exports of the analyser's records:
// the words of one part of speech, and the word list a Japanese input
// method's dictionary tool imports as a user dictionary.
#include <QDateTime>
#include <QStringList>

// The words of the records whose part of speech (field 3) is `part` exactly,
// in the order first met, each once (letter case ignored): surface forms, or
// base forms with `baseForms`. `recordLines` are lines of the analyser's
// output (the whole output or its digest: repeats change nothing).
QStringList wordsOfPart(const QStringList &recordLines, const QString &part, bool baseForms);

// The export's entries for `part`, in the order of the records, each once
// (letter case ignored): the reading in hiragana (as the analyser wrote it
// when it cannot be mapped), a tab, the surface form, a tab, the part of speech.
QStringList dictionaryEntries(const QStringList &recordLines, const QString &part);

// The export file's lines: the eight header lines, `dateTime` on the sixth,
// then the entries.
QStringList dictionaryFileLines(const QStringList &entries, const QString &dateTime);

// `when` as the header writes it: the system's short date and long time.
QString dictionaryDateTime(const QDateTime &when);
