#pragma once
// Runs an outside program and waits for it. The program gets its arguments as
// a list, never through a shell, so a path with blanks, quotes, "&" or ";" is
// one argument and nothing else. Output is returned as bytes: the caller knows
// the program's encoding.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

struct ProcessRequest {
    QString program;          // a path, or a bare name looked up in PATH
    QStringList arguments;
    QString workingDirectory; // empty: the current folder
    QByteArray standardInput; // written to the program, then its input is closed
    int timeoutMs = -1;       // -1: wait as long as it takes
    // Called about every 50 ms while the program runs (the caller may keep its
    // window alive here); returning false stops the program.
    std::function<bool()> keepWaiting;
    // The most standard output bytes accepted (-1: no bound); past it the
    // program is stopped, within one wait slice of output, as if cancelled.
    qint64 outputLimit = -1;
};

struct ProcessResult {
    enum class Status { Finished, FailedToStart, Crashed, TimedOut, Cancelled };
    Status status = Status::FailedToStart;
    int exitCode = -1;         // valid when Finished
    QByteArray standardOutput; // everything it wrote, also when stopped early (none past outputLimit)
    QByteArray standardError;
    QString errorString;       // the system's reason when it could not start or crashed
    bool outputTooLarge = false; // Cancelled because the output passed outputLimit

    bool succeeded() const { return status == Status::Finished && exitCode == 0; }
};

// Starts the program, waits until it ends, the timeout passes or keepWaiting
// says stop (then it is killed), and returns what happened. On Linux the
// program is killed too when this process dies while waiting for it.
ProcessResult runProcess(const ProcessRequest &request);
