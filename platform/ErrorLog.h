#pragma once
// The error log: every error the program raises is written here the moment it
// is raised, newest entry first, before the user sees it. The file is
// Shift-JIS with CR LF, replaced whole through a temporary file (a crash while
// writing keeps the previous log), and never grows past a bound: the oldest
// entries are dropped.
#include <QDateTime>
#include <QStringList>

inline constexpr char16_t kErrorLogName[] = u"Velmat_SysError.Log";
// Large enough for hundreds of entries, small enough that rewriting it for
// every new error costs nothing a user could notice.
inline constexpr qsizetype kErrorLogLimit = 256 * 1024;

struct ErrorReport {
    QString type;        // e.g. "ESettingsWrite", "std::bad_alloc"
    QString place;       // "at address 0000…", or where the error came from
    QString message;
    QStringList stack;   // innermost frame first
};

// The call stack of the caller (this function left out), innermost first,
// skipping `skip` further frames.
QStringList currentCallStack(int skip = 0);
// "at address %p" of the frame `skip` levels above the caller.
QString currentPlace(int skip = 0);

// The entry's lines: "<date> <time> Exception <type> occured <place>",
// "Message: …", "Call stack: " and the frames.
QStringList errorLogEntry(const ErrorReport &report, const QDateTime &when);

// Puts `entry` before the log's older content (two empty lines between) and
// writes it back, keeping the file within `limit` bytes. False, with `error`
// set, when the log cannot be written; the old log is then as it was.
bool prependToErrorLog(const QString &path, const QStringList &entry, QString *error,
                       qsizetype limit = kErrorLogLimit);

// The text a message box shows for an error: a "." is added when the last
// character's code is greater than that of "." (so 「。」 gets one, "." not).
QString errorBoxText(const QString &message);
