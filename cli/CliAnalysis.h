#pragma once
// The analyser as the commands of velmat-tool run it.
#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeDigest.h"

#include <QCommandLineParser>

#include <optional>

// Adds the analyser options: --analyser chasen|mecab, --chasen PATH,
// --mecab PATH and --time-limit SECONDS.
void addChasenOption(QCommandLineParser &parser);

// The analyser the options choose; prints why and returns nothing when they
// are not valid.
std::optional<AnalyserSettings> analyserSettings(const QCommandLineParser &parser);

// Tells on stderr why the analyser failed.
void reportAnalyserFailure(const ChasenResult &run, AnalyserKind kind);

// Runs the chosen analyser over the roll's `lines`, keeping only the digest,
// as the editor does. Prints why and returns nothing on failure.
std::optional<MorphemeDigest> analyseLines(const QCommandLineParser &parser, const QStringList &lines);
