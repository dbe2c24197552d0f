// The zip reader against files that want more memory than they are worth.
#include "filter/ZipArchive.h"
#include "ZipFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestZipArchive : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entriesSharingDataAreRefused();
    void oneBudgetForAllEntries();

private:
    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(u"test.zip"_s);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write the fixture");
        return path;
    }
    QTemporaryDir m_dir;
};

void TestZipArchive::entriesSharingDataAreRefused()
{
    const QByteArray part(4096, 'x');
    ZipArchive zip;
    QVERIFY(zip.open(write(zipFixture({{u"own"_s, "mine"}, {u"a"_s, part}, {u"b"_s, {}, 1}, {u"c"_s, {}, 1}}))));
    QCOMPARE(zip.read(u"own"_s), std::optional<QByteArray>("mine"));
    for (const QString &name : {u"a"_s, u"b"_s, u"c"_s}) {
        QVERIFY(!zip.read(name));
        QCOMPARE(zip.error(), u"文書の %1 は、ほかの部分とデータが重なっているため読みません。"_s.arg(name));
    }
}

void TestZipArchive::oneBudgetForAllEntries()
{
    // Each entry alone is within the budget; together they are not.
    ZipArchive zip(1000);
    QVERIFY(zip.open(write(zipFixture({{u"a"_s, QByteArray(600, 'a')}, {u"b"_s, QByteArray(600, 'b')},
                                       {u"c"_s, QByteArray(400, 'c')}}))));
    QVERIFY(zip.read(u"a"_s));
    QVERIFY(!zip.read(u"b"_s));
    QCOMPARE(zip.error(), u"文書の b は読みません。展開すると文書全体で 1000 B を超えます。"_s);
    QCOMPARE(zip.read(u"c"_s), std::optional<QByteArray>(QByteArray(400, 'c')));
}

QTEST_GUILESS_MAIN(TestZipArchive)
#include "tst_ziparchive.moc"
