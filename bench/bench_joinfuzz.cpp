// A bounded random run over the files the join, the IPtalk import and the
// user conversion list read: random and hostile bytes must never crash, hang
// or change text they do not own. Prints the cases tried and the failures.
//   bench_joinfuzz [CASES] [SEED]
#include "convert/ConversionList.h"
#include "join/RollJoin.h"
#include "platform/ProfileFile.h"
#include "platform/TextFile.h"
#include "reshape/IPtalkSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kSlowCaseMs = 5000; // a case this slow counts as a hang

QByteArray randomBytes(QRandomGenerator &random, int size)
{
    QByteArray bytes(size, '\0');
    for (char &b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

// Plausible text damaged a little, or plain noise, or one of the known traps.
QByteArray hostile(QRandomGenerator &random, const QByteArray &plausible)
{
    switch (random.bounded(6)) {
    case 0:
        return randomBytes(random, int(random.bounded(4096)));
    case 1: { // flipped bytes, then cut anywhere
        QByteArray bytes = plausible;
        for (int i = int(random.bounded(1, 10)); i > 0 && !bytes.isEmpty(); --i)
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        bytes.truncate(random.bounded(int(bytes.size()) + 1));
        return bytes;
    }
    case 2: // byte-order marks before anything
        return QByteArrayList{"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}.at(random.bounded(3)) + plausible;
    case 3: // a long line without a break
        return plausible + QByteArray(int(random.bounded(100000, 2000000)), 'a');
    case 4: // only line breaks of every kind
        return QByteArray("\r\n\r\r\n\n\x85", 7).repeated(int(random.bounded(1, 5000)));
    default:
        return plausible;
    }
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int cases = argc > 1 ? std::max(1, atoi(argv[1])) : 300;
    const quint32 seed = argc > 2 ? quint32(strtoul(argv[2], nullptr, 10)) : 20261211u;
    QRandomGenerator random(seed);
    QTemporaryDir dir;
    QTextStream out(stdout);
    const QByteArray dp9 = "1=800:x:\r\n7=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e:x:\r\n9=40:x:\r\n";
    const QByteArray list = "[WordChangeList]\r\nWordTotal=3\r\nWord_00000=a=b\r\nWord_00001=1+1=2\r\nWord_00002=\"x \"=y\r\n";
    const QByteArray roll = "<-\x81\x9c\x91\xe6\x31\x95\x94\r\n\x82\xa0\x82\xa2\r\nline\r\n";
    int failures = 0;
    qint64 slowest = 0;
    QElapsedTimer total;
    total.start();
    const auto fail = [&](int i, const char *what) {
        ++failures;
        out << "FAIL case " << i << " (seed " << seed << "): " << what << '\n';
    };
    for (int i = 0; i < cases; ++i) {
        QElapsedTimer one;
        one.start();
        // The IPtalk import: refused whole, or every value in range.
        const IPtalkSettings imported = parseIPtalkSettings(hostile(random, dp9));
        if (!imported.readable() && imported.hasItems())
            fail(i, "a refused settings file still gave items");
        if ((imported.screenWidth && (*imported.screenWidth < 0 || *imported.screenWidth > 3000))
            || (imported.points && (*imported.points < 0 || *imported.points > 300)))
            fail(i, "a setting out of range");

        // The user list: reads without crashing; rows come back as written.
        const QString listPath = dir.filePath(u"list%1.ini"_s.arg(i));
        write(listPath, hostile(random, list));
        {
            ProfileFile ini(listPath);
            const QList<ConversionRow> rows = readConversionList(ini);
            if (rows.size() > 100000)
                fail(i, "a list longer than its file");
            // Rows at the reader's length bound are cut by design; the rest must come back.
            const bool nearTheBound = std::any_of(rows.begin(), rows.end(), [](const ConversionRow &row) {
                return row.first.size() + row.second.size() > ProfileFile::kMaxValueLength - 8;
            });
            ProfileFile again(listPath);
            writeConversionList(again, rows);
            if (!nearTheBound && readConversionList(again) != rows)
                fail(i, "a list did not read back as written");
        }

        // The join: every file's lines, in order, after its own mark.
        QList<JoinSource> sources;
        QStringList expected{u"<- h"_s, QString(), QString()};
        const int files = int(random.bounded(0, 4));
        for (int f = 0; f < files; ++f) {
            const QString path = dir.filePath(u"r%1_%2.txt"_s.arg(i).arg(f));
            const QByteArray bytes = hostile(random, roll);
            const bool present = random.bounded(8) != 0;
            if (present)
                write(path, bytes);
            sources << readJoinSource(path, {});
            expected << u"<-●r%1_%2.txt"_s.arg(i).arg(f);
            if (present)
                expected << rollTextLines(decodeTextBytes(bytes, LineEnds::Fold).text);
            if (sources.last().ok != present)
                fail(i, present ? "a readable file failed" : "a missing file was read");
        }
        if (joinedRollLines(u"<- h"_s, sources) != expected)
            fail(i, "the joined roll lost or changed lines");
        if (joinResultMessage(sources).contains(u"【注意】"_s) != !failedSources(sources).isEmpty())
            fail(i, "the closing message hid a failure");

        slowest = std::max(slowest, one.elapsed());
        if (one.elapsed() > kSlowCaseMs)
            fail(i, "too slow (a hang?)");
    }
    out << "cases tried: " << cases << "\nfailures: " << failures << "\nslowest case: " << slowest
        << " ms\ntotal: " << total.elapsed() << " ms\n";
    return failures == 0 ? 0 : 1;
}
