// Character-kind conversion of a 10 MB roll: the one-pass classes against the
// step-by-step reference (one replace-all per table pair).
#include "BenchUtil.h"
#include "convert/CharConversion.h"

#include "bench/reference/ConvertReference.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <functional>

namespace {

ConversionChoice all(WidthWay w, UnitWay u)
{
    ConversionChoice c;
    c.alpha = c.space = c.num = c.kigou = c.kata = w;
    c.unit = u;
    return c;
}

} // namespace

int main()
{
    // The sample roll, and lines that give every class work both ways.
    const QString sample = readUtf8File(QStringLiteral(VELMAT_SOURCE_DIR "/tests/data/roll-sample.txt"));
    const QString mixed = QStringLiteral(
        "司会／Part IV: Chapter XII, page 1,024 (2024-06-11) \"Q&A\" <-no tag\n"
        "ｶﾞｲﾄﾞﾌﾞｯｸ ﾃﾞｰﾀ ｳﾞｧｲｵﾘﾝ ｺﾝﾋﾟｭｰﾀｰ　全角スペース\n"
        "ガイドブック データ ヴァイオリン ５０キロメートル ３００ミリリットル ２０パーセント\n"
        "（株）山田商事 No.5 Tel 03-1234-5678 ㈱㌔㍉㌫№℡ ＡＢＣ １２３ Ⅳ，．\n");
    QString roll;
    const qsizetype target = 10 * 1024 * 1024 / 2; // 10 MB of UTF-16
    roll.reserve(target + sample.size() + mixed.size());
    while (roll.size() < target)
        roll += sample + mixed;
    std::printf("bench_convert: %.2f MB of UTF-16, %lld lines\n", double(roll.size()) * 2 / 1048576.0,
                qlonglong(roll.count(u'\n')));

    const QList<ConversionRow> rows{{QStringLiteral("研究会"), QStringLiteral("けんきゅうかい")},
                                    {QStringLiteral("けんきゅう"), QStringLiteral("研究")}};
    struct Run {
        const char *name;
        ConversionChoice choice;
    };
    ConversionChoice symbolsOnly;
    symbolsOnly.kigou = WidthWay::Full;
    ConversionChoice unitsOnly;
    unitsOnly.unit = UnitWay::ToSymbol;
    ConversionChoice withUser = all(WidthWay::Full, UnitWay::ToSymbol);
    withUser.user = UserWay::Forward;
    const Run runs[] = {
        {"all classes to full width and symbols", all(WidthWay::Full, UnitWay::ToSymbol)},
        {"all classes to half width and words", all(WidthWay::Half, UnitWay::ToWord)},
        {"symbols to full width only", symbolsOnly},
        {"units to symbols only", unitsOnly},
        {"all to full, then a two-row user list", withUser},
    };
    QString forms;
    const double formsMs = timeMs([&] { forms = shiftJisForms(roll); });
    std::printf("  %-40s %8.1f ms (in both columns below)\n", "Shift-JIS forms alone", formsMs);
    int status = 0;
    for (const Run &run : runs) {
        QString ours, theirs;
        // Warm-up: the tables are built at the first use.
        convertText(QStringLiteral("a"), run.choice, rows);
        const double oursMs = timeMs([&] { ours = convertText(roll, run.choice, rows); });
        const double refMs = timeMs([&] { theirs = reference::convertText(roll, run.choice, rows); });
        std::printf("  %-40s ours %8.1f ms, reference %8.1f ms, ratio %5.1fx%s\n", run.name, oursMs, refMs,
                    refMs / oursMs, ours == theirs ? "" : "  OUTPUT DIFFERS");
        if (ours != theirs)
            status = 1;
    }
    return status;
}
