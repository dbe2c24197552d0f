#pragma once
// The error notifier: every error the program raises is logged the moment it
// is raised and then shown to the user. Failures that have a message box of
// their own (a file or settings write) are logged through logError, so the
// log holds every failure whatever the box says.
#include "platform/ErrorLog.h"

inline constexpr char16_t kApplicationTitle[] = u"前ロールエディタ　Velmat";

// Where the log file lies; empty (the default) is the current folder.
void setErrorLogFolder(const QString &folder);
QString errorLogPath();

// Writes the entry to the log; false when the log cannot be written (the
// caller's message goes on regardless).
bool logError(const ErrorReport &report);
// An error of `type` raised by the caller: stack and place taken here.
ErrorReport raisedError(const QString &type, const QString &message);

// Logs the error, then shows errorBoxText(message) with `caption` (empty: the
// application's title), an OK button and the error icon. An error raised
// while this runs (say, in the log write) is not notified again.
void notifyError(const ErrorReport &report, const QString &caption = QString());
