// velmat-tool convert: options, the user list file, bad usage.
#include "platform/Cp932.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestConvertTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void run_data();
    void run();
    void showTables();
};

void TestConvertTool::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");
    QTest::newRow("digits and symbols") << QStringList{u"--num=full"_s, u"--kigou=full"_s} << u"1,000 XIV\r\n"_s
                                        << u"１，０００ ⅩⅣ\n"_s << 0;
    QTest::newRow("left out and =no") << QStringList{u"--kata=no"_s} << u"ｶﾞ 1\r\n"_s << u"ｶﾞ 1\n"_s << 0;
    QTest::newRow("katakana and units") << QStringList{u"--kata=full"_s, u"--unit=symbol"_s}
                                        << u"５０ｷﾛﾒｰﾄﾙ\r\n"_s << u"５０㌔㍍\n"_s << 0;
    QTest::newRow("user list row by row") << QStringList{u"--user=fwd"_s, u"--user-list"_s, u"LIST"_s}
                                          << u"AB\r\n"_s << u"CC\n"_s << 0;
    QTest::newRow("user list reversed") << QStringList{u"--user=rev"_s, u"--user-list"_s, u"LIST"_s}
                                        << u"BC\r\n"_s << u"AB\n"_s << 0;
    QTest::newRow("bad value") << QStringList{u"--alpha=wide"_s} << u"a\r\n"_s << QString() << 2;
    QTest::newRow("user without a list") << QStringList{u"--user=fwd"_s} << u"a\r\n"_s << QString() << 2;
    QTest::newRow("missing list") << QStringList{u"--user=fwd"_s, u"--user-list"_s, u"/nonexistent/l.ini"_s}
                                  << u"a\r\n"_s << QString() << 2;
}

void TestConvertTool::run()
{
    QFETCH(QStringList, args);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString list = dir.filePath(u"list.ini"_s);
    QFile f(list);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(cp932Encode(u"[WordChangeList]\r\nWordTotal=2\r\nWord_00000=A=B\r\nWord_00001=B=C\r\n"_s));
    f.close();
    args.replaceInStrings(u"LIST"_s, list);
    QProcess p;
    p.start(QStringLiteral(VELMAT_TOOL), QStringList{u"convert"_s} + args);
    p.write(cp932Encode(input));
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), status);
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), output);
    if (status != 0)
        QVERIFY(p.readAllStandardError().startsWith("velmat-tool: "));
}

// The tables in the order applied, without the pairs that never act.
void TestConvertTool::showTables()
{
    QProcess p;
    p.start(QStringLiteral(VELMAT_TOOL), {u"convert"_s, u"--show-tables"_s});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY(out.contains(u"--kigou=full:\n  VIII\tⅧ\n  III\tⅢ\n"_s));
    QVERIFY(out.contains(u"--kata=full:\n  ｶﾞ\tガ\n"_s));
    QVERIFY(!out.contains(u"ﾜ\tヮ"_s));
    QVERIFY(out.contains(u"  ヰ\tｲ\n"_s));
    QVERIFY(out.contains(u"--unit=kana:\n  ㍉\tミリ\n"_s));
    QVERIFY(!out.contains(u"､\t､"_s));
}

QTEST_GUILESS_MAIN(TestConvertTool)
#include "tst_converttool.moc"
