// Speed of the code page 932 codec against glibc iconv on a ~10 MB roll-like
// Shift-JIS text: our decode and encode must each be at least as fast as the
// iconv command (run as a process on a file, as the editor's users would), and
// for a stricter view also as iconv(3) called in-process. Figures are MB/s of
// Shift-JIS bytes, best of several runs. Exits 1 if ours is slower than the
// iconv command.

#include "platform/Cp932.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

constexpr qsizetype kTargetBytes = 10 * 1000 * 1000;
constexpr int kRuns = 7;
constexpr int kProcessRuns = 5;

// A deterministic roll: numbered cues with timecodes, then one or two caption
// lines of kanji, kana, full-width punctuation, some ASCII, half-width kana and
// the NEC/IBM characters real scripts use; CR LF line ends.
QString makeRoll()
{
    const QStringList phrases = {
        QStringLiteral("本日は晴天なり"),        QStringLiteral("「ちょっと待って！」"),
        QStringLiteral("彼は静かに扉を開けた。"), QStringLiteral("ありがとうございました"),
        QStringLiteral("ＮＨＫ放送センター"),    QStringLiteral("第３章　新しい朝"),
        QStringLiteral("ｶﾀｶﾅのﾃﾛｯﾌﾟ"),            QStringLiteral("①　東京～大阪間"),
        QStringLiteral("㈱髙橋製作所の社長"),    QStringLiteral("…そうだったのか？"),
        QStringLiteral("Windows 11 で確認"),      QStringLiteral("約120km／h"),
        QStringLiteral("【字幕】（笑）"),         QStringLiteral("ⅰ～ⅲを参照"),
        QStringLiteral("今夜8時から生放送"),      QStringLiteral("―　終　―"),
    };
    QString roll;
    roll.reserve(kTargetBytes * 3 / 4);
    quint32 seed = 12345;
    auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    qsizetype bytes = 0;
    for (int cue = 1; bytes < kTargetBytes; ++cue) {
        const qsizetype cueStart = roll.size();
        const int start = cue * 97;
        roll += QStringLiteral("%1  %2:%3:%4:%5  %6:%7:%8:%9\r\n")
                    .arg(cue, 5, 10, QLatin1Char('0'))
                    .arg(start / 216000 % 24, 2, 10, QLatin1Char('0'))
                    .arg(start / 3600 % 60, 2, 10, QLatin1Char('0'))
                    .arg(start / 60 % 60, 2, 10, QLatin1Char('0'))
                    .arg(start % 60, 2, 10, QLatin1Char('0'))
                    .arg((start + 90) / 216000 % 24, 2, 10, QLatin1Char('0'))
                    .arg((start + 90) / 3600 % 60, 2, 10, QLatin1Char('0'))
                    .arg((start + 90) / 60 % 60, 2, 10, QLatin1Char('0'))
                    .arg((start + 90) % 60, 2, 10, QLatin1Char('0'));
        const int lines = 1 + int(next() % 2);
        for (int l = 0; l < lines; ++l) {
            const int parts = 1 + int(next() % 3);
            for (int p = 0; p < parts; ++p)
                roll += phrases[int(next() % phrases.size())];
            roll += QStringLiteral("\r\n");
        }
        roll += QStringLiteral("\r\n");
        bytes += cp932Encode(QStringView(roll).sliced(cueStart)).size();
    }
    return roll;
}

// Best wall time in seconds of `runs` calls.
double best(int runs, const std::function<void()> &f)
{
    double bestSeconds = std::numeric_limits<double>::max();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        bestSeconds = std::min(bestSeconds, t.nsecsElapsed() / 1e9);
    }
    return bestSeconds;
}

// Runs the iconv command on a file; false if it failed.
bool runIconv(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("iconv"), args);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// iconv(3) in-process over the whole buffer into a preallocated output.
QByteArray iconvInProcess(const char *to, const char *from, const QByteArray &in, qsizetype outSize)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out(outSize, Qt::Uninitialized);
    char *ip = const_cast<char *>(in.constData());
    size_t il = size_t(in.size());
    char *op = out.data();
    size_t ol = size_t(out.size());
    const size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (r == size_t(-1))
        return {};
    out.truncate(op - out.data());
    return out;
}

double mbps(qsizetype bytes, double seconds) { return bytes / 1e6 / seconds; }

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    const QString roll = makeRoll();
    const QByteArray sjis = cp932Encode(roll);
    const QByteArray utf8 = roll.toUtf8();
    if (cp932Decode(sjis) != roll || !cp932UnencodableChars(roll).isEmpty()) {
        std::fprintf(stderr, "bench_cp932: the sample text does not round-trip\n");
        return 2;
    }

    QTemporaryDir dir;
    const QString sjisPath = dir.filePath(QStringLiteral("roll.sjis"));
    const QString utf8Path = dir.filePath(QStringLiteral("roll.utf8"));
    const QString outPath = dir.filePath(QStringLiteral("out"));
    {
        QFile f(sjisPath), g(utf8Path);
        if (!f.open(QIODevice::WriteOnly) || f.write(sjis) != sjis.size()
            || !g.open(QIODevice::WriteOnly) || g.write(utf8) != utf8.size()) {
            std::fprintf(stderr, "bench_cp932: cannot write temporary files\n");
            return 2;
        }
    }
    const QStringList decodeArgs = {QStringLiteral("-f"), QStringLiteral("CP932"), QStringLiteral("-t"),
                                    QStringLiteral("UTF-8"), QStringLiteral("-o"), outPath, sjisPath};
    const QStringList encodeArgs = {QStringLiteral("-f"), QStringLiteral("UTF-8"), QStringLiteral("-t"),
                                    QStringLiteral("CP932"), QStringLiteral("-o"), outPath, utf8Path};
    if (!runIconv(decodeArgs) || !runIconv(encodeArgs)) {
        std::fprintf(stderr, "bench_cp932: the iconv command failed or is missing\n");
        return 2;
    }
    // Both must agree with iconv on this text, or the race means nothing.
    if (iconvInProcess("UTF-8", "CP932", sjis, sjis.size() * 2) != utf8
        || iconvInProcess("CP932", "UTF-8", utf8, utf8.size()) != sjis) {
        std::fprintf(stderr, "bench_cp932: iconv disagrees with our codec on the sample\n");
        return 2;
    }

    qsizetype sink = 0;
    const double ourDecode = best(kRuns, [&] { sink += cp932Decode(sjis).size(); });
    const double ourEncode = best(kRuns, [&] { sink += cp932Encode(roll).size(); });
    const double cmdDecode = best(kProcessRuns, [&] { runIconv(decodeArgs); });
    const double cmdEncode = best(kProcessRuns, [&] { runIconv(encodeArgs); });
    const double libDecode = best(kRuns, [&] {
        sink += iconvInProcess("UTF-8", "CP932", sjis, sjis.size() * 2).size();
    });
    const double libEncode = best(kRuns, [&] {
        sink += iconvInProcess("CP932", "UTF-8", utf8, utf8.size()).size();
    });

    const qsizetype n = sjis.size();
    std::printf("bench_cp932: %.2f MB of Shift-JIS (%lld characters), best of %d runs "
                "(iconv command: %d)\n",
                n / 1e6, static_cast<long long>(roll.size()), kRuns, kProcessRuns);
    std::printf("%-7s %12s %16s %8s %16s %8s\n", "", "ours MB/s", "iconv cmd MB/s", "ratio",
                "iconv(3) MB/s", "ratio");
    std::printf("%-7s %12.0f %16.0f %7.1fx %16.0f %7.1fx\n", "decode", mbps(n, ourDecode),
                mbps(n, cmdDecode), cmdDecode / ourDecode, mbps(n, libDecode), libDecode / ourDecode);
    std::printf("%-7s %12.0f %16.0f %7.1fx %16.0f %7.1fx\n", "encode", mbps(n, ourEncode),
                mbps(n, cmdEncode), cmdEncode / ourEncode, mbps(n, libEncode), libEncode / ourEncode);
    std::printf("(ratio = how many times faster ours is; checksum %lld)\n", static_cast<long long>(sink));

    const bool ok = ourDecode <= cmdDecode && ourEncode <= cmdEncode;
    std::printf("%s\n", ok ? "OK: decode and encode are at least as fast as the iconv command"
                           : "SLOWER than the iconv command");
    return ok ? 0 : 1;
}
