#pragma once
// One run of the morphological analyser (ChaSen, or MeCab over the same
// dictionary family) over the roll. The roll's caption lines go in as one
// text, so a word broken over two roll lines is still one word; the
// analyser's output comes back as the morpheme text, one record per line in
// ChaSen's form ("%m,%M,%y1,%U(%P-)"; MeCab's records are converted as they
// are read). Both dictionaries are UTF-8 (ChaSen runs with "-i w"), so the
// text crosses over as UTF-8; characters that Shift-JIS cannot hold go over
// as "?", as they would through a Shift-JIS file.
#include "roll/RollConventions.h"

#include <QByteArrayView>
#include <QStringList>

#include <functional>

// The analysers the editor can run.
enum class AnalyserKind { Chasen, Mecab };

// The analyser settings (the analyser settings window's values).
struct AnalyserSettings {
    QString program; // the chosen analyser's program
    AnalyserKind kind = AnalyserKind::Chasen;
    // Stop the analyser after this many milliseconds; 0: the bound grows
    // with the input (analyserTimeLimitMs).
    qint64 timeLimitMs = 0;

    bool operator==(const AnalyserSettings &) const = default;
};

// The analyser's name in messages: 「茶筌」 or 「MeCab」.
QString analyserName(AnalyserKind kind);

// What the editor says when the analyser ran past its bound of `limitMs`.
QString analyserTimedOutMessage(AnalyserKind kind, qint64 limitMs);

// How long an analyser run over `inputBytes` bytes of input may take before
// it is taken to be stuck and stopped, in milliseconds.
qint64 analyserTimeLimitMs(qint64 inputBytes);

// The lines handed to the analyser: every roll line that is not a recognised
// comment, joined without separators, then cut into lines the analyser reads
// whole (it splits longer input lines by itself, tearing words apart): after a
// sentence mark where possible, never inside a surrogate pair. A run of 32
// katakana or more goes over in lines of its own, 32 characters each: ChaSen
// drops the rest of a line from a longer one on, and never ends when a
// half-width blank follows it on the line.
inline constexpr int kDefaultChasenLineUnits = 1500;
QStringList chasenInputLines(const QStringList &rollLines, const CommentKinds &kinds,
                             int maxLineUnits = kDefaultChasenLineUnits);

// Arguments for the analyser: the resource file "dic/chasenrc" beside the
// program only when that file exists, then the record format and the files.
QStringList chasenArguments(const QString &program, const QString &inputFile,
                            const QString &outputFile);

// Arguments for MeCab: its UTF-8 IPAdic where installed (another installed
// dictionary may be the default one), then the output and input files.
QStringList mecabArguments(const QString &inputFile, const QString &outputFile);

struct ChasenResult {
    // NotStarted: the program could not be started; NoOutput: it ended well
    // but left no output file that can be read; Failed: it crashed, ended with
    // an error, or the run could not be prepared.
    // TimedOut: it ran past its time bound (timeLimitMs) and was stopped.
    enum class Status { Ok, NotStarted, NoOutput, Failed, Cancelled, TimedOut };
    Status status = Status::NotStarted;
    qint64 timeLimitMs = 0; // the bound the run had
    QString morphemeText; // the records, each line ending with LF (when Ok)
    QString detail;       // why it failed, for the message
};

// Takes the records as they are read, in pieces of whole lines (each line
// ending with LF) of the analyser's own UTF-8, so that a caller that needs
// only part of them never holds the whole morpheme text (ten times the size
// of the roll), and one that passes them on need not decode them.
using MorphemeSink = std::function<void(QByteArrayView utf8Records)>;

// Runs the chosen analyser over the roll. `keepWaiting` is called while it
// runs (keep the window alive there); returning false cancels the run. Past
// its time bound it is stopped (TimedOut). With a `sink` the records go there
// and morphemeText stays empty. Temporary files live in a private folder that
// is removed afterwards.
ChasenResult runAnalyser(const AnalyserSettings &settings, const QStringList &rollLines, const CommentKinds &kinds,
                         const std::function<bool()> &keepWaiting = {}, const MorphemeSink &sink = {});

// The same with ChaSen at `program`.
ChasenResult runChasen(const QString &program, const QStringList &rollLines, const CommentKinds &kinds,
                       const std::function<bool()> &keepWaiting = {}, const MorphemeSink &sink = {});
