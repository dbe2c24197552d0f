#include "analysis/WordAnalysis.h"

ChasenResult WordAnalysis::run(const AnalyserSettings &settings, const QStringList &lines,
                               const CommentKinds &kinds, const std::function<bool()> &keepWaiting)
{
    Q_EMIT runStarted();
    // Only the digest is kept: the whole output would take ten times the roll.
    MorphemeDigest digest;
    ChasenResult result = runAnalyser(settings, lines, kinds, keepWaiting,
                                      [&digest](QByteArrayView records) { digest.add(records); });
    const bool ok = result.status == ChasenResult::Status::Ok;
    if (ok)
        m_lastRun = std::move(digest);
    Q_EMIT runFinished(ok);
    return result;
}
