#include "analysis/ChasenRunner.h"

#include "platform/Cp932.h"
#include "platform/InterruptScope.h"
#include "platform/ProcessRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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

QString runawayDetail()
{
    return u"茶筌の出力が入力に比べて大きくなりすぎたため、途中で止めました。"_s;
}

} // namespace

QStringList chasenInputLines(const QStringList &rollLines, const CommentKinds &kinds, int maxLineUnits)
{
    QString joined;
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

    QStringList lines;
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
        lines.append(joined.mid(start, cut - start));
        start = cut;
    }
    lines.append(joined.mid(start));
    return lines;
}

namespace {
// The output file to `sink` a megabyte at a time, cut after a line end (no
// UTF-8 sequence holds the byte of LF, so a cut there never splits a character).
void readRecordsInPieces(QFile &file, const MorphemeSink &sink)
{
    constexpr qint64 kPiece = 1 << 20;
    QByteArray carry;
    for (QByteArray piece = file.read(kPiece); !piece.isEmpty(); piece = file.read(kPiece)) {
        if (!carry.isEmpty()) {
            piece.prepend(carry);
            carry.clear();
        }
        const qsizetype cut = piece.lastIndexOf('\n');
        if (cut < 0) {
            carry = std::move(piece);
            continue;
        }
        carry = piece.sliced(cut + 1);
        piece.truncate(cut + 1);
        sink(QString::fromUtf8(piece));
    }
    if (!carry.isEmpty())
        sink(QString::fromUtf8(carry + '\n'));
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

ChasenResult runChasen(const QString &program, const QStringList &rollLines, const CommentKinds &kinds,
                       const std::function<bool()> &keepWaiting, const MorphemeSink &sink)
{
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
        QStringList lines = chasenInputLines(rollLines, kinds);
        lines.removeAll(QString());
        const QByteArray bytes = lines.isEmpty() ? QByteArray() : (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8();
        inputBytes = bytes.size();
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            result.status = ChasenResult::Status::Failed;
            result.detail = file.errorString();
            return result;
        }
    }

    const qint64 outputLimit = kOutputAllowance + kOutputPerInputByte * inputBytes;
    bool runaway = false;
    ProcessRequest request;
    request.program = program;
    request.arguments = chasenArguments(program, input, output);
    request.workingDirectory = dir.path();
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
        result.detail = runawayDetail();
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
    case ProcessResult::Status::Crashed:
    case ProcessResult::Status::TimedOut:
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
        result.detail = runawayDetail();
        return result;
    }
    result.status = ChasenResult::Status::Ok;
    if (sink) {
        readRecordsInPieces(file, sink);
        return result;
    }
    // The output file is UTF-8 with LF line ends, kept as they are.
    QByteArray out = file.readAll();
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += '\n';
    result.morphemeText = QString::fromUtf8(out);
    return result;
}
