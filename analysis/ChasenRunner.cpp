#include "analysis/ChasenRunner.h"

#include "analysis/MecabRecords.h"
#include "platform/Cp932.h"
#include "platform/InterruptScope.h"
#include "platform/ProcessRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <climits>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

bool endsSentence(QChar c)
{
    return c == u'。' || c == u'！' || c == u'？' || c == u'!' || c == u'?' || c == u'．';
}

bool softBreak(QChar c)
{
    return c == u'、' || c == u'，' || c == u' ' || c == u'　' || c == u'」' || c == u'』';
}

bool isHiragana(QChar c)
{
    return c.unicode() >= 0x3041 && c.unicode() <= 0x309F;
}

bool isKatakana(QChar c)
{
    return c.unicode() >= 0x30A0 && c.unicode() <= 0x30FF;
}

bool isKanji(QChar c)
{
    return (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) || (c.unicode() >= 0x3400 && c.unicode() <= 0x4DBF);
}

// The analyser's output is a few times its input at most (about 13 bytes per
// input byte for the densest text); far beyond that it is looping, as it does
// on a NUL after half-width kana, printing "EOS" until the disk is full.
constexpr qint64 kOutputAllowance = 1024 * 1024;
constexpr qint64 kOutputPerInputByte = 64;

QString runawayDetail(AnalyserKind kind)
{
    return analyserName(kind) + u"の出力が入力に比べて大きくなりすぎたため、途中で止めました。"_s;
}

// A run of 43 katakana or more on an input line makes ChaSen drop the line
// from the word before the run to its end, and with a half-width blank
// anywhere after it on the line (a tab reaches it as one too) it never
// ends, writing nothing. No word of a roll is that long: such a run goes
// over in lines of its own of this many characters, which keeps every
// character and its place. The margin below 43 is for dictionaries that
// count the run differently; half-width kana count here too, though ChaSen
// stumbles on the full-width ones only.
constexpr qsizetype kLongKatakanaRun = 32;

bool isKatakanaRunChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x30A1 && u <= 0x30FA) || u == u'ー' || u == u'ヽ' || u == u'ヾ' || (u >= 0xFF66 && u <= 0xFF9F);
}

} // namespace

namespace {

// The caption text the analyser reads, before it is cut into lines.
QString chasenInputText(const QStringList &rollLines, const CommentKinds &kinds)
{
    QString joined;
    qsizetype total = 0;
    for (const QString &line : rollLines)
        total += line.size();
    joined.reserve(total); // growing it step by step would copy it again and again
    for (const QString &line : rollLines) {
        if (!IsRecognisedComment(line, kinds))
            joined += line;
    }
    // What Shift-JIS cannot hold reaches the analyser as "?".
    if (!cp932UnencodableChars(joined).isEmpty())
        joined = cp932Decode(cp932Encode(joined));
    // Control characters are no text to analyse, and some (NUL, a CR that
    // would start a new input line) derail the analyser. A blank in their place
    // keeps every position and separates the words on both sides, as the
    // analyser skips blanks without a record.
    for (QChar &c : joined) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return joined;
}

// Calls `each(QStringView line)` with the lines cut from `joined` by length.
template <typename Each>
void forEachLineByLength(QStringView joined, int maxLineUnits, Each each)
{
    const int soft = std::max(1, maxLineUnits * 2 / 3);
    qsizetype start = 0;
    const qsizetype n = joined.size();
    while (n - start > maxLineUnits) {
        // The last sentence end in the window, else the last soft break, else the hard limit.
        qsizetype cut = -1;
        for (qsizetype i = start + maxLineUnits - 1; i >= start + soft && cut < 0; --i) {
            if (endsSentence(joined[i]))
                cut = i + 1;
        }
        for (qsizetype i = start + maxLineUnits - 1; i >= start + soft && cut < 0; --i) {
            if (softBreak(joined[i]))
                cut = i + 1;
        }
        // Else where kana meets kanji or katakana, which is nearly always between words.
        for (qsizetype i = start + maxLineUnits - 1; i >= start + soft && cut < 0; --i) {
            if (isHiragana(joined[i - 1]) && (isKanji(joined[i]) || isKatakana(joined[i])))
                cut = i;
        }
        if (cut < 0) {
            cut = start + maxLineUnits;
            if (joined[cut - 1].isHighSurrogate())
                --cut;
        }
        each(joined.sliced(start, cut - start));
        start = cut;
    }
    each(joined.sliced(start));
}

// Calls `each(QStringView line)` with the input lines cut from `joined`: a
// long katakana run in pieces of its own, the rest by length.
template <typename Each>
void forEachChasenInputLine(QStringView joined, int maxLineUnits, Each each)
{
    qsizetype start = 0; // not yet handed on
    const qsizetype n = joined.size();
    qsizetype i = 0;
    while (i < n) {
        if (!isKatakanaRunChar(joined[i])) {
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < n && isKatakanaRunChar(joined[end]))
            ++end;
        if (end - i >= kLongKatakanaRun) {
            if (i > start)
                forEachLineByLength(joined.sliced(start, i - start), maxLineUnits, each);
            for (qsizetype piece = i; piece < end; piece += kLongKatakanaRun)
                each(joined.sliced(piece, std::min(kLongKatakanaRun, end - piece)));
            start = end;
        }
        i = end;
    }
    forEachLineByLength(joined.sliced(start), maxLineUnits, each);
}

} // namespace

QString analyserName(AnalyserKind kind)
{
    return kind == AnalyserKind::Mecab ? u"MeCab"_s : u"茶筌"_s;
}

QString analyserTimedOutMessage(AnalyserKind kind, qint64 limitMs)
{
    return u"%1が%2秒たっても解析を終えなかったため、止めました。\r\n\r\n"
           u"ロールに解析できない文字の並びがあるかもしれません。"_s.arg(analyserName(kind))
        .arg((limitMs + 999) / 1000);
}

qint64 analyserTimeLimitMs(qint64 inputBytes)
{
    // Measured by running ChaSen by hand over real text (the Japanese manual
    // pages, Vim's Japanese tutorial, sample rolls): about 0.2 s a megabyte
    // of UTF-8 on one core of a small machine; MeCab is a little faster. The
    // bound allows fifty times that, for a machine busy with other work, on
    // top of a quarter of a minute for starting and loading the dictionary:
    // 15 s for a short roll, about 5 minutes for a 20 MB Shift-JIS roll
    // (30 MB of UTF-8). A stuck run over a short roll ends soon enough for a
    // user waiting at the progress window.
    constexpr qint64 kBaseMs = 15000;
    constexpr qint64 kMsPerKilobyte = 10; // 50 × 0.2 s a megabyte
    return kBaseMs + inputBytes * kMsPerKilobyte / 1024;
}

QStringList chasenInputLines(const QStringList &rollLines, const CommentKinds &kinds, int maxLineUnits)
{
    QStringList lines;
    forEachChasenInputLine(chasenInputText(rollLines, kinds), maxLineUnits,
                           [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}

namespace {
// The output file to `sink` a megabyte at a time, cut after a line end (no
// UTF-8 sequence holds the byte of LF, so a cut there never splits a character).
// One buffer serves every piece: fresh pages for each would cost more than
// reading them.
void readRecordsInPieces(QFile &file, const MorphemeSink &sink)
{
    constexpr qsizetype kPiece = 1 << 20;
    QByteArray buffer;
    qsizetype held = 0; // the unfinished last line of the previous piece, at the start
    for (;;) {
        if (buffer.size() < held + kPiece)
            buffer.resize(held + kPiece); // a line longer than a piece grows it
        const qint64 got = file.read(buffer.data() + held, kPiece);
        if (got <= 0)
            break;
        const qsizetype filled = held + qsizetype(got);
        const qsizetype cut = QByteArrayView(buffer.constData(), filled).lastIndexOf('\n');
        if (cut < 0) {
            held = filled;
            continue;
        }
        sink(QByteArrayView(buffer.constData(), cut + 1));
        held = filled - (cut + 1);
        std::memmove(buffer.data(), buffer.constData() + cut + 1, size_t(held));
    }
    if (held > 0) {
        buffer.resize(held);
        sink(buffer + '\n');
    }
}
} // namespace

QStringList chasenArguments(const QString &program, const QString &inputFile, const QString &outputFile)
{
    QStringList args{u"-i"_s, u"w"_s};
    const QString rc = QFileInfo(program).dir().filePath(u"dic/chasenrc"_s);
    if (program.contains(u'/') && QFileInfo::exists(rc))
        args << u"-r"_s << rc;
    args << u"-F"_s << u"%m,%M,%y1,%U(%P-)\\n"_s << u"-o"_s << outputFile << inputFile;
    return args;
}

QStringList mecabArguments(const QString &inputFile, const QString &outputFile)
{
    QStringList args;
    const QString ipadic = u"/var/lib/mecab/dic/ipadic-utf8"_s;
    if (QFileInfo::exists(ipadic + u"/sys.dic"_s))
        args << u"-d"_s << ipadic;
    args << u"-o"_s << outputFile << inputFile;
    return args;
}

ChasenResult runChasen(const QString &program, const QStringList &rollLines, const CommentKinds &kinds,
                       const std::function<bool()> &keepWaiting, const MorphemeSink &sink)
{
    return runAnalyser({program}, rollLines, kinds, keepWaiting, sink);
}

ChasenResult runAnalyser(const AnalyserSettings &settings, const QStringList &rollLines, const CommentKinds &kinds,
                         const std::function<bool()> &keepWaiting, const MorphemeSink &sink)
{
    const bool mecab = settings.kind == AnalyserKind::Mecab;
    // Made before the folder, so that a SIGINT or SIGTERM takes effect only
    // after the analyser is stopped and the folder removed.
    const InterruptScope interrupts;
    ChasenResult result;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        result.status = ChasenResult::Status::Failed;
        result.detail = dir.errorString();
        return result;
    }
    const QString input = dir.filePath(u"$$text$$.tmp"_s);
    const QString output = dir.filePath(u"$$result$$.tmp"_s);
    qint64 inputBytes = 0; // only its size outlives the writing
    {
        QFile file(input);
        const QString joined = chasenInputText(rollLines, kinds);
        QByteArray bytes;
        bytes.reserve(joined.size() * 3 + (joined.size() / 500 + 1) * 2); // UTF-8: three bytes a unit at most
        // MeCab reads a CR as a character of the text.
        const char *lineEnd = mecab ? "\n" : "\r\n";
        forEachChasenInputLine(joined, kDefaultChasenLineUnits, [&bytes, lineEnd](QStringView line) {
            if (line.isEmpty())
                return;
            bytes += line.toUtf8();
            bytes += lineEnd;
        });
        inputBytes = bytes.size();
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            result.status = ChasenResult::Status::Failed;
            result.detail = file.errorString();
            return result;
        }
    }

    const qint64 outputLimit = kOutputAllowance + kOutputPerInputByte * inputBytes;
    bool runaway = false;
    result.timeLimitMs = settings.timeLimitMs > 0 ? settings.timeLimitMs : analyserTimeLimitMs(inputBytes);
    ProcessRequest request;
    request.program = settings.program;
    request.arguments = mecab ? mecabArguments(input, output) : chasenArguments(settings.program, input, output);
    request.workingDirectory = dir.path();
    request.timeoutMs = int(std::min<qint64>(result.timeLimitMs, INT_MAX));
    request.keepWaiting = [&] {
        if (QFileInfo(output).size() > outputLimit) {
            runaway = true;
            return false;
        }
        return !InterruptScope::requested() && (!keepWaiting || keepWaiting());
    };
    const ProcessResult run = runProcess(request);
    if (runaway) {
        result.status = ChasenResult::Status::Failed;
        result.detail = runawayDetail(settings.kind);
        return result;
    }
    switch (run.status) {
    case ProcessResult::Status::FailedToStart:
        result.status = ChasenResult::Status::NotStarted;
        result.detail = run.errorString;
        return result;
    case ProcessResult::Status::Cancelled:
        result.status = ChasenResult::Status::Cancelled;
        return result;
    case ProcessResult::Status::TimedOut:
        result.status = ChasenResult::Status::TimedOut;
        return result;
    case ProcessResult::Status::Crashed:
        result.status = ChasenResult::Status::Failed;
        result.detail = run.errorString;
        return result;
    case ProcessResult::Status::Finished:
        break;
    }
    QFile file(output);
    if (run.exitCode != 0 || !file.open(QIODevice::ReadOnly)) {
        result.status = run.exitCode != 0 ? ChasenResult::Status::Failed : ChasenResult::Status::NoOutput;
        result.detail = QString::fromLocal8Bit(run.standardError).trimmed();
        if (result.detail.isEmpty())
            result.detail = run.exitCode != 0 ? u"exit code %1"_s.arg(run.exitCode) : file.errorString();
        return result;
    }
    // It may have grown past the limit in its last moments.
    if (file.size() > outputLimit) {
        result.status = ChasenResult::Status::Failed;
        result.detail = runawayDetail(settings.kind);
        return result;
    }
    result.status = ChasenResult::Status::Ok;
    // MeCab's records reach every user in ChaSen's form.
    const auto converted = [&](QByteArrayView records) {
        if (mecab)
            sink(chasenRecordsFromMecab(records));
        else
            sink(records);
    };
    if (sink) {
        readRecordsInPieces(file, converted);
        return result;
    }
    // The output file is UTF-8 with LF line ends, kept as they are.
    QByteArray out = file.readAll();
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += '\n';
    if (mecab)
        out = chasenRecordsFromMecab(out);
    result.morphemeText = QString::fromUtf8(out);
    return result;
}
