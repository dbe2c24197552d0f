#pragma once
// The analyser as the commands of velmat-tool run it.
#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeDigest.h"

#include <QCommandLineParser>

#include <optional>

// Adds the option --chasen PATH (the analyser program).
void addChasenOption(QCommandLineParser &parser);

// Tells on stderr why the analyser failed.
void reportAnalyserFailure(const ChasenResult &run);

// Runs the analyser of --chasen over the roll's `lines`, keeping only the
// digest, as the editor does. Prints why and returns nothing on failure.
std::optional<MorphemeDigest> analyseLines(const QCommandLineParser &parser, const QStringList &lines);
