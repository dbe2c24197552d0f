#pragma once
// Small helpers the benchmarks share: reading a fixture, timing a call.
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <functional>

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
