#pragma once
// One run of the morphological analyser (ChaSen) over the roll. The roll's
// caption lines go in as one text, so a word broken over two roll lines is
// still one word; the analyser's output comes back as the morpheme text, one
// record per line ("%m,%M,%y1,%U(%P-)"). Its dictionary is UTF-8, so it runs
// with "-i w" and the text crosses over as UTF-8; characters that Shift-JIS
// cannot hold go over as "?", as they would through a Shift-JIS file.
#include "roll/RollConventions.h"

#include <QByteArrayView>
#include <QStringList>

#include <functional>

// The lines handed to the analyser: every roll line that is not a recognised
// comment, joined without separators, then cut into lines the analyser reads
// whole (it splits longer input lines by itself, tearing words apart): after a
// sentence mark where possible, never inside a surrogate pair.
inline constexpr int kDefaultChasenLineUnits = 1500;
QStringList chasenInputLines(const QStringList &rollLines, const CommentKinds &kinds,
                             int maxLineUnits = kDefaultChasenLineUnits);

// Arguments for the analyser: the resource file "dic/chasenrc" beside the
// program only when that file exists, then the record format and the files.
QStringList chasenArguments(const QString &program, const QString &inputFile,
                            const QString &outputFile);

struct ChasenResult {
    // NotStarted: the program could not be started; NoOutput: it ended well
    // but left no output file that can be read; Failed: it crashed, ended with
    // an error, or the run could not be prepared.
    enum class Status { Ok, NotStarted, NoOutput, Failed, Cancelled };
    Status status = Status::NotStarted;
    QString morphemeText; // the records, each line ending with LF (when Ok)
    QString detail;       // why it failed, for the message
};

// Takes the records as they are read, in pieces of whole lines (each line
// ending with LF) of the analyser's own UTF-8, so that a caller that needs
// only part of them never holds the whole morpheme text (ten times the size
// of the roll), and one that passes them on need not decode them.
using MorphemeSink = std::function<void(QByteArrayView utf8Records)>;

// Runs the analyser at `program` over the roll. `keepWaiting` is called while
// it runs (keep the window alive there); returning false cancels the run.
// With a `sink` the records go there and morphemeText stays empty.
// Temporary files live in a private folder that is removed afterwards.
ChasenResult runChasen(const QString &program, const QStringList &rollLines, const CommentKinds &kinds,
                       const std::function<bool()> &keepWaiting = {}, const MorphemeSink &sink = {});
