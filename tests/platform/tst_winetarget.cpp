// Which windows belong to programs under Wine, and how the bridge reaches
// their Wine: the same loader, prefix and locale as the program itself.
#include "platform/WineTarget.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestWineTarget : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decision_data();
    void decision();
};

void TestWineTarget::decision_data()
{
    QTest::addColumn<QByteArray>("wmClass");
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<bool>("wine");
    QTest::addColumn<QString>("loader");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("locale");

    const QStringList wineEnv{u"HOME=/home/a"_s, u"WINEPREFIX=/home/a/.iptalk"_s,
                              u"WINELOADER=/opt/wine-stable/bin/wine64"_s, u"LANG=ja_JP.UTF-8"_s,
                              u"WINEPREFIXX=no"_s};
    QTest::newRow("Wine process: its loader, prefix and locale")
        << QByteArray("iptalk.exe") << u"/opt/wine-stable/bin/wine64"_s << wineEnv << true
        << u"/opt/wine-stable/bin/wine64"_s << u"/home/a/.iptalk"_s
        << QStringList{u"LANG=ja_JP.UTF-8"_s};
    QTest::newRow("Wine loader without WINELOADER, default prefix")
        << QByteArray("notepad.exe") << u"/usr/lib/wine/wine64"_s << QStringList{u"LC_ALL=C"_s}
        << true << u"/usr/lib/wine/wine64"_s << QString() << QStringList{u"LC_ALL=C"_s};
    QTest::newRow("preloader is no loader: wine from PATH")
        << QByteArray("notepad.exe") << u"/usr/lib/wine/wine64-preloader"_s << QStringList()
        << true << u"wine"_s << QString() << QStringList();
    QTest::newRow("native program named .exe is not Wine")
        << QByteArray("setup.exe") << u"/usr/bin/mono"_s << QStringList{u"LANG=C"_s} << false
        << QString() << QString() << QStringList();
    QTest::newRow("native program") << QByteArray("gedit") << u"/usr/bin/gedit"_s
                                    << QStringList{u"LANG=C"_s} << false << QString() << QString()
                                    << QStringList();
    QTest::newRow("process unknown: a Windows program name decides")
        << QByteArray("IPTALK.EXE") << QString() << QStringList() << true << u"wine"_s
        << QString() << QStringList();
    QTest::newRow("process unknown, ordinary name") << QByteArray("xterm") << QString()
                                                    << QStringList() << false << QString()
                                                    << QString() << QStringList();
}

void TestWineTarget::decision()
{
    QFETCH(QByteArray, wmClass);
    QFETCH(QString, executable);
    QFETCH(QStringList, environment);
    WineTargetFacts facts{wmClass, wmClass, executable, environment};
    const WineTarget target = wineTargetFrom(facts);
    QTEST(target.wine, "wine");
    QTEST(target.loader, "loader");
    QTEST(target.prefix, "prefix");
    QTEST(target.locale, "locale");
}

QTEST_GUILESS_MAIN(TestWineTarget)
#include "tst_winetarget.moc"
