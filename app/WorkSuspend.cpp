#include "app/WorkSuspend.h"

#include "platform/ErrorNotifier.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"
#include "roll/RollAccess.h"
#include "roll/RollRtf.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
const QString kResumeCaption = u"作業復帰"_s;
} // namespace

WorkSuspend::WorkSuspend(RollAccess &roll, const QString &workingFolder, Hooks hooks)
    : m_roll(roll), m_workingFolder(workingFolder), m_hooks(std::move(hooks))
{
}

QByteArray WorkSuspend::rollBytes() const
{
    // The text exactly, a final line break included, so a resumed roll ends
    // as the suspended one did.
    return rollToRtf(m_roll.textRange(0, m_roll.length()).split(u'\n'), m_roll.commentKinds());
}

QString WorkSuspend::newCopyPath(const QString &folder) const
{
    // Copies are never overwritten: a second one in the same second gets a number.
    const QDir dir(folder);
    const QString name = autosaveCopyName(m_hooks.now());
    QString path = dir.filePath(name);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(name.chopped(4) + u'-' + QString::number(n) + u".txt"_s);
    return path;
}

void WorkSuspend::reportWriteFailure(const QString &path, const QString &error, bool settings, bool quiet)
{
    const QString message = (settings ? u"設定ファイルを保存できませんでした。\r\n"_s
                                      : u"作業ファイルを保存できませんでした。\r\n"_s)
        + path + u"\r\n"_s + error;
    ErrorReport report = raisedError(settings ? u"ESettingsWrite"_s : u"ERollWrite"_s, message);
    if (quiet)
        logError(report);
    else
        notifyError(report, settings ? u"設定を保存"_s : u"作業を中断する"_s);
}

void WorkSuspend::suspend()
{
    const QDir dir(m_workingFolder);
    const QString settingsPath = dir.filePath(QString::fromUtf16(kSuspendSettingsName));
    if (QFile::exists(settingsPath)
        && showMessage(u"過去に作業状態を保存しています。上書きしてもいいですか？"_s, kResumeCaption,
                       MsgIcon::Question, MsgButtons::YesNo)
               != MsgResult::Yes)
        return;
    QString error;
    if (!m_hooks.saveSettings(settingsPath, &error)) {
        reportWriteFailure(settingsPath, error, true, false);
        return;
    }
    const QString rollPath = dir.filePath(QString::fromUtf16(kSuspendRollName));
    const FileWriteResult written = writeFileAtomically(rollPath, rollBytes());
    if (!written.ok) {
        reportWriteFailure(rollPath, written.error, false, false);
        return;
    }
    if (showMessage(u"このままエディタを終了しますか？"_s, u"終了の確認"_s, MsgIcon::Question,
                    MsgButtons::YesNoCancel)
        == MsgResult::Yes)
        m_hooks.exitNow();
}

void WorkSuspend::resume()
{
    const QDir dir(m_workingFolder);
    const QString settingsPath = dir.filePath(QString::fromUtf16(kSuspendSettingsName));
    const QString rollPath = dir.filePath(QString::fromUtf16(kSuspendRollName));

    // Read before anything changes: a file that cannot be read leaves the
    // settings, the roll and its history as they are.
    const RollFileRead read = readRollFile(rollPath);
    if (!read.ok) {
        notifyError(raisedError(u"EFOpenError"_s, u"作業ファイル \"%1\" を開けません。\r\n%2"_s.arg(rollPath, read.error)));
        return;
    }
    if (!m_hooks.mayDiscardRoll())
        return;
    m_hooks.loadSettings(settingsPath);
    m_hooks.restoreRoll(read.roll.text);

    if (!read.roll.intact()) {
        // Kept without asking: the rest of the work may still be found in it.
        const QString what = !read.roll.complete
            ? u"作業ファイルが途中で切れていました。"_s
            : u"作業ファイルが壊れていました（読めない部分が %1 か所）。"_s.arg(read.roll.brokenSequences);
        showMessage(what + u"読めた部分だけを復帰しています。\r\n"_s + rollPath, kResumeCaption,
                    MsgIcon::Warning);
        return;
    }
    const bool remove = showMessage(u"作業を復帰しました。\r\n\r\nいま読み出した作業ファイルを消しますか？"_s,
                                    u"作業保存データの消去確認"_s, MsgIcon::Question, MsgButtons::YesNo)
        == MsgResult::Yes;
    if (!remove)
        return;
    const bool settingsGone = !QFile::exists(settingsPath) || QFile::remove(settingsPath);
    const bool rollGone = QFile::remove(rollPath);
    if (!settingsGone || !rollGone)
        showMessage(u"削除に失敗しました。アクセス権等を確認してください。"_s, u"作業保存データ消去"_s,
                    MsgIcon::Error);
}

bool WorkSuspend::newestCopyHolds(const QString &folder, const QByteArray &bytes)
{
    const QStringList copies = ownAutosaveCopies(folder);
    if (copies.isEmpty())
        return false;
    const QFileInfo newest(QDir(folder).filePath(copies.last()));
    if (newest.size() != bytes.size())
        return false;
    const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    if (newest.absoluteFilePath() == m_lastCopy.path && newest.size() == m_lastCopy.size
        && newest.lastModified() == m_lastCopy.modified)
        return digest == m_lastCopy.digest;
    // A copy this run did not write (or one changed since): compared by its bytes.
    const FileBytesRead read = readFileBytes(newest.filePath());
    return read.ok && read.bytes == bytes;
}

void WorkSuspend::pruneCopies(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name : copiesBeyond(ownAutosaveCopies(folder), kAutosaveCopiesKept)) {
        // Only what autosave wrote: a file of the same name holding anything
        // else is the user's.
        QFile copy(dir.filePath(name));
        if (!copy.open(QIODevice::ReadOnly) || !startsAsRollRtf(copy.read(kRollRtfSignatureBytes)))
            continue;
        copy.close();
        if (!copy.remove())
            logError(raisedError(u"EFileRemove"_s, u"古い自動保存ファイルを消せませんでした。\r\n%1\r\n%2"_s.arg(
                                                        copy.fileName(), copy.errorString())));
    }
}

void WorkSuspend::autosaveTick()
{
    m_roll.setStatusText(u"☆オートセーブ中・・・"_s);
    const QDir dir(m_hooks.autosaveFolder());
    const QString settingsPath = dir.filePath(QString::fromUtf16(kSuspendSettingsName));
    QString error;
    QString failedPath;
    bool settingsFailed = false;
    bool unchanged = false;
    if (!m_hooks.saveSettings(settingsPath, &error)) {
        failedPath = settingsPath;
        settingsFailed = true;
    } else {
        const QByteArray bytes = rollBytes();
        unchanged = newestCopyHolds(dir.path(), bytes);
        if (!unchanged) {
            const QString copyPath = newCopyPath(dir.path());
            const FileWriteResult written = writeFileAtomically(copyPath, bytes);
            if (written.ok) {
                const QFileInfo info(copyPath);
                m_lastCopy = {info.absoluteFilePath(), info.size(), info.lastModified(),
                              QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
                pruneCopies(dir.path());
            } else {
                failedPath = copyPath;
                error = written.error;
            }
        }
    }
    if (failedPath.isEmpty()) {
        m_autosaveFailing = false;
        m_roll.setStatusText(unchanged ? u"★前回のオートセーブから変更はありません。"_s
                                       : u"★オートセーブしました。"_s);
        return;
    }
    // One notice until a tick succeeds again; every failure is logged.
    reportWriteFailure(failedPath, error, settingsFailed, m_autosaveFailing);
    m_autosaveFailing = true;
    m_roll.setStatusText(u"★オートセーブできませんでした：%1"_s.arg(failedPath));
}

QString WorkSuspend::writeRescueCopy()
{
    if (m_roll.length() == 0)
        return {}; // nothing to rescue
    const QString path = newCopyPath(m_hooks.autosaveFolder());
    return writeFileAtomically(path, rollBytes()).ok ? path : QString();
}
