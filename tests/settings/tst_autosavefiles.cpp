// Which files are autosave's own copies, in which order, and which go when
// more than the kept number are there.
#include "settings/AutosaveFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAutosaveFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ownCopiesInTimeOrder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString &name : {u"一時保存2012-09-02-134501-2.txt"_s, u"一時保存2012-09-02-134501.txt"_s,
                                    u"一時保存2012-09-02-134501-10.txt"_s, u"一時保存2011-01-01-000000.txt"_s,
                                    u"一時保存メモ.txt"_s, u"一時保存2012-09-02-1345.txt"_s, u"作業一時保存.txt"_s}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir(u"一時保存2013-01-01-000000.txt"_s)); // a folder is no copy
        QCOMPARE(ownAutosaveCopies(dir.path()),
                 QStringList({u"一時保存2011-01-01-000000.txt"_s, u"一時保存2012-09-02-134501.txt"_s,
                              u"一時保存2012-09-02-134501-2.txt"_s, u"一時保存2012-09-02-134501-10.txt"_s}));
    }

    void beyondTheKeptNumber_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("keep");
        QTest::addColumn<int>("removed");
        QTest::newRow("fewer than kept") << 3 << 100 << 0;
        QTest::newRow("exactly kept") << 100 << 100 << 0;
        QTest::newRow("one more") << 101 << 100 << 1;
        QTest::newRow("keep none") << 4 << 0 << 4;
    }
    void beyondTheKeptNumber()
    {
        QFETCH(int, count);
        QFETCH(int, keep);
        QFETCH(int, removed);
        QStringList names;
        for (int i = 0; i < count; ++i)
            names << QString::number(i);
        // The oldest go: the list is oldest first.
        QCOMPARE(copiesBeyond(names, keep), names.mid(0, removed));
    }
};

QTEST_APPLESS_MAIN(TestAutosaveFiles)
#include "tst_autosavefiles.moc"
