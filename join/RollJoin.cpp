#include "join/RollJoin.h"

#include "platform/ProcessRunner.h"
#include "platform/TextFile.h"
#include "roll/RollFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString filterFailure(const ProcessResult &result)
{
    switch (result.status) {
    case ProcessResult::Status::FailedToStart:
        return u"フィルタ(xdoc2txt)が起動できません。"_s;
    case ProcessResult::Status::TimedOut:
        return u"文書の変換が %1 分たっても終わりませんでした。"_s.arg(kFilterTimeoutMs / 60000);
    case ProcessResult::Status::Cancelled:
        return result.outputTooLarge
                   ? u"文書のテキストが大きすぎます（%1 まで）。"_s.arg(QLatin1StringView(kTextInputLimitName))
                   : u"文書の変換を中止しました。"_s;
    case ProcessResult::Status::Crashed:
        return u"フィルタが異常終了しました。"_s;
    case ProcessResult::Status::Finished:
        break;
    }
    return u"フィルタが終了コード %1 を返しました。"_s.arg(result.exitCode);
}

// The filter's status for a document read only in part: the text it could
// read is on its output, what is missing or changed on its error output.
constexpr int kFilterPartialText = 3;

QString filterMessage(const QByteArray &bytes)
{
    // Our filter writes UTF-8; another configured filter may write Shift-JIS.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = cp932Decode(bytes);
    return text.trimmed().replace(u'\n', u"\r\n"_s);
}

QString tooLargeForJoin(qint64 room)
{
    return room < kTextInputLimit
               ? u"結合するファイルが合わせて %1 を超えるため、読み込みませんでした。"_s.arg(
                     QLatin1StringView(kTextInputLimitName))
               : u"ファイルが大きすぎます。読み込めるのは %1 までです。"_s.arg(QLatin1StringView(kTextInputLimitName));
}

// Reads a roll file as readTextFile does, but never more than `room` bytes.
bool readPlainSource(JoinSource &source, qint64 room)
{
    const QFileInfo info(source.path);
    if (info.isDir()) {
        source.error = u"フォルダは開けません。"_s;
        return false;
    }
    QFile file(source.path);
    if (!file.open(QIODevice::ReadOnly)) {
        source.error = info.exists() ? u"読み込みが拒否されました。（%1）"_s.arg(file.errorString())
                                     : u"ファイルが見つかりません。"_s;
        return false;
    }
    const BoundedRead read = readBoundedBytes(file, room);
    if (read.tooLarge) {
        source.error = tooLargeForJoin(room);
        return false;
    }
    if (read.failed) {
        source.error = u"読み込み中にエラーが起きました。（%1）"_s.arg(file.errorString());
        return false;
    }
    source.bytes = read.bytes.size();
    DecodedText decoded = decodeTextBytes(read.bytes, LineEnds::Fold);
    source.warning = undecodedPartsWarning(source.path, decoded);
    source.text = std::move(decoded.text);
    return true;
}
} // namespace

QString joinHeaderLine(const QDateTime &when)
{
    return u"<- ファイル結合実施  "_s + when.toString(u"yyyy/MM/dd HH:mm:ss"_s);
}

JoinSource readJoinSource(const QString &path, const QString &filterProgram,
                          const std::function<bool()> &keepWaiting, qint64 room)
{
    JoinSource source;
    source.path = path;
    room = std::clamp<qint64>(room, 0, kTextInputLimit);
    if (isPlainRollPath(path)) {
        source.ok = readPlainSource(source, room);
        return source;
    }
    if (!QFileInfo(path).isFile()) {
        source.error = u"ファイルがありません。"_s;
        return source;
    }
    if (filterProgram.isEmpty()) {
        source.error = u"文書をテキストにするフィルタが設定されていません。"_s;
        return source;
    }
    ProcessRequest request = documentFilterRequest(filterProgram, path, keepWaiting);
    request.outputLimit = room;
    const ProcessResult result = runProcess(request);
    // As the editor's open does: a document read in part keeps what was read.
    const QString damage = filterMessage(result.standardError);
    const bool partial = result.status == ProcessResult::Status::Finished && result.exitCode == kFilterPartialText
                         && !result.standardOutput.isEmpty() && !damage.isEmpty();
    if (!result.succeeded() && !partial) {
        source.error = result.outputTooLarge ? tooLargeForJoin(room)
                       : result.status == ProcessResult::Status::Finished && !damage.isEmpty()
                           ? damage
                           : filterFailure(result);
        return source;
    }
    source.bytes = result.standardOutput.size();
    DecodedText decoded = decodeTextBytes(result.standardOutput, LineEnds::Fold);
    source.ok = true;
    QStringList warnings;
    if (partial)
        warnings << u"\"%1\" には読めない部分がありました。読めた文字だけを読み込んでいます。\r\n"_s.arg(path) + damage;
    warnings << undecodedPartsWarning(path, decoded);
    warnings.removeAll(QString());
    source.warning = warnings.join(u"\r\n"_s);
    source.text = std::move(decoded.text);
    return source;
}

qint64 joinRoomLeft(const QList<JoinSource> &sources)
{
    qint64 used = 0;
    for (const JoinSource &source : sources)
        used += source.bytes;
    return std::max<qint64>(kJoinTotalLimit - used, 0);
}

QString joinMarkName(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    for (QChar &c : name) {
        if (c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85) || c == QChar(0x2028)
            || c == QChar(0x2029))
            c = u' ';
    }
    return name;
}

QStringList rollTextLines(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList joinedRollLines(const QString &header, const QList<JoinSource> &sources)
{
    QStringList lines{header, QString(), QString()};
    for (const JoinSource &source : sources) {
        lines << u"<-●"_s + joinMarkName(source.path);
        if (source.ok)
            lines << rollTextLines(source.text);
    }
    return lines;
}

QList<JoinSource> failedSources(const QList<JoinSource> &sources)
{
    QList<JoinSource> failed;
    for (const JoinSource &source : sources) {
        if (!source.ok)
            failed << source;
    }
    return failed;
}

bool joinNeedsAttention(const QList<JoinSource> &sources)
{
    return std::any_of(sources.begin(), sources.end(),
                       [](const JoinSource &source) { return !source.ok || !source.warning.isEmpty(); });
}

QString joinResultMessage(const QList<JoinSource> &sources)
{
    QString text = u"結合を完了しました。"_s;
    const QList<JoinSource> failed = failedSources(sources);
    if (!failed.isEmpty()) {
        text += u"\r\n\r\n【注意】結合できなかったファイルがあります。"_s;
        for (const JoinSource &source : failed)
            text += u"\r\n・"_s + source.path + u"："_s + source.error;
    }
    for (const JoinSource &source : sources) {
        if (source.ok && !source.warning.isEmpty())
            text += u"\r\n\r\n"_s + source.warning;
    }
    return text;
}
