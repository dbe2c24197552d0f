#pragma once
// A roll on disk: Shift-JIS text with CR LF after every line, and the rules
// for which documents are read directly and which go through the text filter.
// Pure functions; the main window's file commands call them.
#include "platform/ProcessRunner.h"
#include "platform/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// `text` with every line break as '\n': CR LF, a lone CR, the Unicode line
// and paragraph separators (U+2028, U+2029) and NEL (U+0085) each become one.
// A roll has no other kind of break: a separator left inside a line would show
// it as two rows under one number and be saved as "?".
QString rollLineBreaks(QString text);


// The roll file bytes for the editor's lines (one entry per editor line): each
// line in code page 932 followed by CR LF. The last line is written only when
// it is not empty, so "A" and "A" + line break both give "A" CR LF, and an empty
// editor gives zero bytes. Unencodable characters become '?'.
QByteArray rollFileBytes(const QStringList &editorLines);

// True when the path is read directly as text (".txt" or ".sl1", any case);
// every other document goes through the text filter.
bool isPlainRollPath(const QString &path);

// The characters of `chars` named for the user, one per line as 「字」(U+XXXX),
// invisible ones by their code only; at most `limit` lines, then a count of the
// rest ("ほか N 文字").
QString describeCharacters(const QString &chars, int limit = 10);

// The warning for a file read with undecodable parts, naming the encoding it
// was read in, and the note for one recognised as UTF-8 without a mark (it is
// saved as Shift-JIS); empty when everything was decoded as usual.
QString undecodedPartsWarning(const QString &path, const DecodedText &decoded);
// The caption of the warnings about a file read only in part.
inline constexpr char16_t kUndecodedPartsCaption[] = u"読み込みの確認";

// How the text filter is started for one document: a program with an argument
// list and a working folder, never a command line for a shell.
struct FilterInvocation {
    QString program;
    QStringList arguments;
    QString workingDirectory;
};

// The filter's call for `documentPath`. `filterPath` is the filter program as
// configured; its folder part is the working folder, and when that part is
// empty or "./" the program's own folder `programDir` is used (a bare name is
// looked for there first, then in PATH). The arguments are "-s", "-o=0" and the
// document's absolute path (relative paths are taken from the current folder,
// since the filter runs elsewhere).
FilterInvocation filterInvocation(const QString &filterPath, const QString &documentPath,
                                  const QString &programDir);

// How long the filter may take over one document.
inline constexpr int kFilterTimeoutMs = 5 * 60 * 1000;

// The run of the filter for `documentPath`, found beside this program as
// filterInvocation says: bounded in time and in output (a text a roll may
// hold), with `keepWaiting` called while it runs.
ProcessRequest documentFilterRequest(const QString &filterPath, const QString &documentPath,
                                     std::function<bool()> keepWaiting);
