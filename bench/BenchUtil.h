#pragma once
// Small helpers the benchmarks share: reading a fixture, timing a call,
// CPU and memory of the process.
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/resource.h>

// The UTF-8 text of `path`; ends the benchmark when it cannot be read.
inline QString readUtf8File(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(2);
    }
    return QString::fromUtf8(f.readAll());
}

// Milliseconds `f` took.
inline double timeMs(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

// A figure of /proc/self/status in kB ("VmRSS:", "VmHWM:"); 0 where unknown.
inline qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

// CPU seconds used so far by this process (RUSAGE_SELF) or by its finished
// children (RUSAGE_CHILDREN): wall time is at the mercy of whatever else the
// machine runs.
inline double cpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
