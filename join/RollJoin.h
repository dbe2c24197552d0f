#pragma once
// Joining roll files into one roll: a header comment with the moment of the
// join, two empty lines, then for each file a summary comment with its name
// and its lines as the editor would read them. Plain logic: the window and
// velmat-tool share it.
#include "platform/TextFile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

// The most a join reads, all its files together (file bytes, or the filter's
// output): the bound of one input, so that many large files, each within it,
// never take all memory between them.
inline constexpr qint64 kJoinTotalLimit = kTextInputLimit;

// One file as read for the join.
struct JoinSource {
    QString path;
    bool ok = false;
    QString text;  // the file's text with '\n' line breaks (when ok)
    QString error; // why it could not be read (when not ok)
    // When parts of it could not be decoded (they show as U+FFFD), or the
    // filter could read the document only in part: what the user should know.
    // Empty otherwise.
    QString warning;
    qint64 bytes = 0; // how many bytes were read for it (counted against kJoinTotalLimit)
};

// "<- ファイル結合実施  " + date + " " + time (two blanks after 「実施」).
QString joinHeaderLine(const QDateTime &when);

// Reads one roll file as the editor's loader does: ".txt" and ".sl1" directly
// (Shift-JIS unless a byte-order mark says otherwise), any other document
// through the text filter `filterProgram` (empty: such documents fail).
// `keepWaiting` is called while the filter runs, to keep a window alive. A
// document the filter read only in part (its status 3) keeps the text read,
// with the filter's reason as the warning. `room`: the most bytes this file
// may bring (see joinRoomLeft); a larger one fails unread.
JoinSource readJoinSource(const QString &path, const QString &filterProgram,
                          const std::function<bool()> &keepWaiting = {}, qint64 room = kJoinTotalLimit);

// What is left of kJoinTotalLimit after the files read so far.
qint64 joinRoomLeft(const QList<JoinSource> &sources);

// A file's name as its "<-●" line shows it: without its folder, and with any
// line break in it as a blank, so that no part of a name becomes a line of its own.
QString joinMarkName(const QString &path);

// The joined roll's lines: the header, two empty lines, then per source
// "<-●" + its file name and its lines (none for a source that failed).
QStringList joinedRollLines(const QString &header, const QList<JoinSource> &sources);

// The lines of a text as the editor holds them: a final line break starts no
// further line.
QStringList rollTextLines(const QString &text);

// The closing message: plain when every file was read whole, otherwise with
// the warning and, per failed file, its path and the reason, then the
// warnings of files read only in part.
QString joinResultMessage(const QList<JoinSource> &sources);

// True when the closing message is a warning.
bool joinNeedsAttention(const QList<JoinSource> &sources);

// The sources that could not be read.
QList<JoinSource> failedSources(const QList<JoinSource> &sources);
