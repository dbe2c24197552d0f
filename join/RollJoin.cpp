#include "join/RollJoin.h"

#include "platform/ProcessRunner.h"
#include "platform/TextFile.h"
#include "roll/RollFile.h"

#include <QCoreApplication>
#include <QFileInfo>

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
} // namespace

QString joinHeaderLine(const QDateTime &when)
{
    return u"<- ファイル結合実施  "_s + when.toString(u"yyyy/MM/dd HH:mm:ss"_s);
}

JoinSource readJoinSource(const QString &path, const QString &filterProgram,
                          const std::function<bool()> &keepWaiting)
{
    JoinSource source;
    source.path = path;
    if (isPlainRollPath(path)) {
        TextFileRead read = readTextFile(path, LineEnds::Fold);
        if (!read.ok) {
            source.error = read.error;
            return source;
        }
        source.ok = true;
        source.warning = undecodedPartsWarning(path, read.decoded);
        source.text = std::move(read.decoded.text);
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
    const ProcessResult result = runProcess(documentFilterRequest(filterProgram, path, keepWaiting));
    if (!result.succeeded()) {
        source.error = filterFailure(result);
        return source;
    }
    DecodedText decoded = decodeTextBytes(result.standardOutput, LineEnds::Fold);
    source.ok = true;
    source.warning = undecodedPartsWarning(path, decoded);
    source.text = std::move(decoded.text);
    return source;
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
        lines << u"<-●"_s + QFileInfo(source.path).fileName();
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
