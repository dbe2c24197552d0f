// velmat-tool words, marks: the word analysis of the roll and its
// part-of-speech marks.
#include "cli/CliAnalysis.h"
#include "cli/CliSubcommands.h"
#include "cli/CliIo.h"

#include "analysis/PartOfSpeechMarks.h"
#include "analysis/WordsOfPart.h"
#include "platform/TextFile.h"
#include "roll/RollFile.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

int wordsCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Lists the parts of speech ChaSen finds in the roll, sorted; with --pos, the words of one of them in\n"
        "the order first met; with --export, writes them as the word list an input method's dictionary tool\n"
        "imports (Shift-JIS, CR LF): readings in hiragana, surface forms, the part of speech."_s);
    parser.addOption({u"pos"_s, u"The part of speech, as listed (e.g. 名詞-固有名詞-地域-一般)."_s, u"POS"_s});
    parser.addOption({u"base"_s, u"List base forms instead of the forms in the text."_s});
    parser.addOption({u"export"_s, u"Write the words of --pos as a dictionary word list."_s, u"FILE"_s});
    addChasenOption(parser);
    if (!parseCommand(parser, u"words"_s, args))
        return kCliUsage;
    if (parser.isSet(u"export"_s) && !parser.isSet(u"pos"_s))
        return usageError(u"words"_s, u"--export needs --pos"_s);
    const auto lines = readRollLines(parser);
    if (!lines)
        return kCliUsage;
    const std::optional<MorphemeDigest> digest = analyseLines(parser, *lines);
    if (!digest)
        return kCliUsage;

    const QString part = parser.value(u"pos"_s);
    if (parser.isSet(u"export"_s)) {
        const QString path = parser.value(u"export"_s);
        const QStringList file = dictionaryFileLines(dictionaryEntries(digest->lines(), part),
                                                     dictionaryDateTime(QDateTime::currentDateTime()));
        return writeRollFile(path, file);
    }
    const QStringList listed = parser.isSet(u"pos"_s)
                                   ? wordsOfPart(digest->lines(), part, parser.isSet(u"base"_s))
                                   : digest->partsOfSpeech();
    writeOutput(listed.isEmpty() ? QString() : listed.join(u'\n') + u'\n', parser.isSet(u"sjis"_s));
    return kCliOk;
}

int marksCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Lists what the part-of-speech marking marks in the roll, one mark a line: the line number (%05d),\n"
        "a tab, the marked text, a tab, and 名詞 (white on blue) or 動詞 (black on aqua)."_s);
    parser.addOption({u"base"_s, u"Search the base forms of the words instead of the forms in the text."_s});
    addChasenOption(parser);
    if (!parseCommand(parser, u"marks"_s, args))
        return kCliUsage;
    const auto text = readRollText(parser);
    if (!text)
        return kCliUsage;
    const QStringList lines = text->split(u'\n');
    const std::optional<MorphemeDigest> digest = analyseLines(parser, lines);
    if (!digest)
        return kCliUsage;

    QList<qsizetype> lineEnds; // where each line's break stands
    for (qsizetype i = text->indexOf(u'\n'); i >= 0; i = text->indexOf(u'\n', i + 1))
        lineEnds.append(i);
    QString out;
    qsizetype line = 0;
    const bool baseForms = parser.isSet(u"base"_s);
    for (const RollMark &mark : partOfSpeechMarks(*text, digest->linesByLastOccurrence(), baseForms, CommentKinds{})) {
        if (mark.kind == RollMark::Kind::Plain)
            continue;
        while (line < lineEnds.size() && lineEnds.at(line) < mark.start)
            ++line;
        out += u"%1\t%2\t%3\n"_s.arg(line + 1, 5, 10, QChar(u'0'))
                   .arg(text->mid(mark.start, mark.length),
                        mark.kind == RollMark::Kind::Noun ? u"名詞"_s : u"動詞"_s);
    }
    writeOutput(out, parser.isSet(u"sjis"_s));
    return kCliOk;
}
