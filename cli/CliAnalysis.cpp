#include "cli/CliAnalysis.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

void addChasenOption(QCommandLineParser &parser)
{
    parser.addOption({u"chasen"_s, u"The ChaSen program."_s, u"PATH"_s, u"/usr/bin/chasen"_s});
}

void reportAnalyserFailure(const ChasenResult &run)
{
    QTextStream(stderr) << "velmat-tool: ChaSen could not analyse the roll"
                        << (run.detail.isEmpty() ? QString() : u" ("_s + run.detail + u')') << '\n';
}

std::optional<MorphemeDigest> analyseLines(const QCommandLineParser &parser, const QStringList &lines)
{
    // Only the digest is kept: the records themselves would take ten times the roll.
    MorphemeDigest digest;
    const ChasenResult run = runChasen(parser.value(u"chasen"_s), lines, CommentKinds{}, {},
                                       [&digest](QByteArrayView records) { digest.add(records); });
    if (run.status != ChasenResult::Status::Ok) {
        reportAnalyserFailure(run);
        return std::nullopt;
    }
    return digest;
}
