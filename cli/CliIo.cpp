#include "cli/CliIo.h"

#include "roll/RollFile.h"
#include "roll/TextLines.h"
#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <utility>
#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {
void printError(const QString &text)
{
    QTextStream(stderr) << "velmat-tool: " << text << '\n';
}

// What Shift-JIS output on standard output has lost so far.
Cp932Losses &outputLosses()
{
    static Cp932Losses losses;
    return losses;
}
} // namespace

bool warnLosses(const QString &where, const Cp932Losses &losses)
{
    if (losses.isEmpty())
        return false;
    constexpr qsizetype kShown = 10;
    QStringList lines;
    for (const qsizetype line : losses.lines().mid(0, kShown))
        lines << QString::number(line);
    QString at = lines.join(u", "_s);
    if (losses.lineCount() > lines.size())
        at += u" and %1 more"_s.arg(losses.lineCount() - lines.size());
    printError(u"warning: %1 character(s) in %2 cannot be written in Shift-JIS and became \"?\" (line(s) %3): %4"_s
                   .arg(QString::number(losses.count()), where, at,
                        describeCharacters(losses.characters()).replace(u"\r\n"_s, u", "_s)));
    return true;
}

namespace {
int writeFile(const QString &path, const QByteArray &bytes, const Cp932Losses &losses)
{
    const FileWriteResult written = writeFileAtomically(path, bytes);
    if (!written.ok) {
        printError(u"cannot write \"%1\": %2"_s.arg(path, written.error));
        return kCliWriteFailed;
    }
    return warnLosses(u"\"%1\""_s.arg(path), losses) ? kCliLossy : kCliOk;
}
} // namespace

int writeRollFile(const QString &path, const QStringList &lines)
{
    Cp932Losses losses;
    for (const QString &line : lines) {
        losses.add(line);
        losses.add(u"\n");
    }
    return writeFile(path, rollFileBytes(lines), losses);
}

int writeShiftJisFile(const QString &path, QStringView text)
{
    Cp932Losses losses;
    losses.add(text);
    return writeFile(path, cp932Encode(text), losses);
}

std::optional<QString> readRollText(const QCommandLineParser &parser)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        printError(u"only one roll file may be given"_s);
        return std::nullopt;
    }
    const QString path = files.isEmpty() ? u"-"_s : files.first();
    QFile in(path == u"-" ? QString() : path);
    const bool opened = path == u"-" ? in.open(stdin, QIODevice::ReadOnly) : in.open(QIODevice::ReadOnly);
    const QString name = path == u"-" ? u"standard input"_s : u"\"%1\""_s.arg(path);
    if (!opened) {
        printError(u"cannot read %1: %2"_s.arg(name, in.errorString()));
        return std::nullopt;
    }
    const BoundedRead read = readBoundedBytes(in);
    if (read.tooLarge) {
        printError(u"%1 is larger than %2, the most velmat-tool reads"_s.arg(
            name, QLatin1StringView(kTextInputLimitName)));
        return std::nullopt;
    }
    if (read.failed) {
        printError(u"cannot read %1: %2"_s.arg(name, in.errorString()));
        return std::nullopt;
    }
    DecodedText decoded = decodeTextBytes(read.bytes, LineEnds::Fold);
    warnUndecoded(name, decoded);
    return std::move(decoded.text);
}

void warnUndecoded(const QString &name, const DecodedText &decoded)
{
    if (decoded.brokenSequences > 0)
        printError(u"warning: %1 byte sequence(s) in %2 could not be decoded as %3 and show as U+FFFD"_s
                       .arg(decoded.brokenSequences)
                       .arg(name, textEncodingName(decoded.encoding)));
}

std::optional<QStringList> readRollLines(const QCommandLineParser &parser)
{
    const std::optional<QString> text = readRollText(parser);
    if (!text)
        return std::nullopt;
    return textLines(*text);
}

void writeOutput(QStringView text, bool shiftJis)
{
    // In pieces: a 50 MB roll's output never exists whole a second time
    // (fresh pages for it cost more than the encoding itself).
    constexpr qsizetype kPiece = 1 << 20;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = std::min(text.size(), start + kPiece);
        if (end < text.size() && text.at(end - 1).isHighSurrogate())
            --end; // never split a surrogate pair
        const QStringView piece = text.sliced(start, end - start);
        QByteArray bytes;
        if (shiftJis) {
            // No Shift-JIS byte but LF itself is 0x0A, so each one is a line end.
            outputLosses().add(piece);
            const QByteArray encoded = cp932Encode(piece);
            bytes.reserve(encoded.size() + encoded.size() / 8);
            qsizetype from = 0;
            for (qsizetype nl = encoded.indexOf('\n'); nl >= 0; nl = encoded.indexOf('\n', from)) {
                bytes.append(encoded.constData() + from, nl - from);
                bytes += "\r\n";
                from = nl + 1;
            }
            bytes.append(encoded.constData() + from, encoded.size() - from);
        } else {
            bytes = piece.toUtf8();
        }
        // A failure here sets the stream's error flag, which finishOutput reads.
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        start = end;
    }
}

int finishOutput(int status)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) {
        if (warnLosses(u"standard output"_s, std::exchange(outputLosses(), Cp932Losses())) && status == kCliOk)
            return kCliLossy;
        return status;
    }
    const int error = errno;
    printError(u"cannot write the output: %1"_s.arg(
        error ? QString::fromLocal8Bit(std::strerror(error)) : u"write error"_s));
    return kCliWriteFailed;
}

int usageError(const QString &command, const QString &message)
{
    printError(message + u" (see velmat-tool "_s + command + u" --help)"_s);
    return kCliUsage;
}

bool parseCommand(QCommandLineParser &parser, const QString &command, const QStringList &args)
{
    parser.addOption({u"sjis"_s, u"Write Shift-JIS with CR LF instead of UTF-8 with LF."_s});
    parser.addPositionalArgument(u"FILE"_s, u"Roll file; \"-\" or nothing for standard input."_s, u"[FILE]"_s);
    return parseArguments(parser, command, args);
}

bool parseArguments(QCommandLineParser &parser, const QString &command, const QStringList &args)
{
    parser.addHelpOption();
    if (!parser.parse(QStringList{u"velmat-tool "_s + command} + args)) {
        usageError(command, parser.errorText());
        return false;
    }
    if (parser.isSet(u"help"_s)) {
        writeOutput(parser.helpText(), false);
        std::exit(finishOutput(kCliOk));
    }
    return true;
}

std::optional<int> intOption(const QCommandLineParser &parser, const QString &command, const QString &name,
                             int min, int max)
{
    if (parser.value(name).isEmpty()) { // not given, and no default
        usageError(command, u"--%1 is required"_s.arg(name));
        return std::nullopt;
    }
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < min || value > max) {
        usageError(command, u"--%1 takes a whole number from %2 to %3"_s.arg(name).arg(min).arg(max));
        return std::nullopt;
    }
    return value;
}
