#include "cli/CliAnalysis.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {
QString englishName(AnalyserKind kind)
{
    return kind == AnalyserKind::Mecab ? u"MeCab"_s : u"ChaSen"_s;
}
} // namespace

void addChasenOption(QCommandLineParser &parser)
{
    parser.addOption({u"analyser"_s, u"The morphological analyser: chasen (the default) or mecab."_s, u"NAME"_s,
                      u"chasen"_s});
    parser.addOption({u"chasen"_s, u"The ChaSen program."_s, u"PATH"_s, u"/usr/bin/chasen"_s});
    parser.addOption({u"mecab"_s, u"The MeCab program (with the IPA dictionary)."_s, u"PATH"_s, u"/usr/bin/mecab"_s});
    parser.addOption({u"time-limit"_s,
                      u"Stop the analyser after this many seconds (default: 15 and more for a longer roll)."_s,
                      u"SECONDS"_s});
}

std::optional<AnalyserSettings> analyserSettings(const QCommandLineParser &parser)
{
    QTextStream err(stderr);
    AnalyserSettings settings;
    const QString name = parser.value(u"analyser"_s).toLower();
    if (name == u"chasen") {
        settings.program = parser.value(u"chasen"_s);
    } else if (name == u"mecab") {
        settings.kind = AnalyserKind::Mecab;
        settings.program = parser.value(u"mecab"_s);
    } else {
        err << "velmat-tool: --analyser takes chasen or mecab, not \"" << parser.value(u"analyser"_s) << "\"\n";
        return std::nullopt;
    }
    if (parser.isSet(u"time-limit"_s)) {
        bool ok = false;
        const double seconds = parser.value(u"time-limit"_s).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > 86400) {
            err << "velmat-tool: --time-limit takes a number of seconds above 0 and up to 86400\n";
            return std::nullopt;
        }
        settings.timeLimitMs = std::max<qint64>(1, qint64(seconds * 1000));
    }
    return settings;
}

void reportAnalyserFailure(const ChasenResult &run, AnalyserKind kind)
{
    QTextStream err(stderr);
    if (run.status == ChasenResult::Status::TimedOut) {
        err << "velmat-tool: " << englishName(kind) << " did not finish within " << (run.timeLimitMs + 999) / 1000
            << " s and was stopped (the roll may hold a run of characters it cannot analyse; --time-limit allows "
               "more time)\n";
        return;
    }
    err << "velmat-tool: " << englishName(kind) << " could not analyse the roll"
        << (run.detail.isEmpty() ? QString() : u" ("_s + run.detail + u')') << '\n';
}

std::optional<MorphemeDigest> analyseLines(const QCommandLineParser &parser, const QStringList &lines)
{
    const std::optional<AnalyserSettings> settings = analyserSettings(parser);
    if (!settings)
        return std::nullopt;
    // Only the digest is kept: the records themselves would take ten times the roll.
    MorphemeDigest digest;
    const ChasenResult run = runAnalyser(*settings, lines, CommentKinds{}, {},
                                         [&digest](QByteArrayView records) { digest.add(records); });
    if (run.status != ChasenResult::Status::Ok) {
        reportAnalyserFailure(run, settings->kind);
        return std::nullopt;
    }
    return digest;
}
