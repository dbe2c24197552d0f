#pragma once
// The one owner of the analyser's runs over the roll and of what is kept of
// the last successful one. The word analysis window shows it; the word check
// of the reshape commands reads it; neither runs the other.
#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeDigest.h"

#include <QObject>

class WordAnalysis : public QObject {
    Q_OBJECT
public:
    // Runs the analyser over `lines`; `keepWaiting` as for runChasen. On
    // success the digest of this run replaces the last one; a failed or
    // cancelled run keeps it. Returns the run's status and detail.
    ChasenResult run(const AnalyserSettings &settings, const QStringList &lines, const CommentKinds &kinds,
                     const std::function<bool()> &keepWaiting = {});

    // What is kept of the last successful run.
    const MorphemeDigest &lastRun() const { return m_lastRun; }

Q_SIGNALS:
    void runStarted();
    // `ok`: the run succeeded and lastRun() is its digest.
    void runFinished(bool ok);

private:
    MorphemeDigest m_lastRun;
};
