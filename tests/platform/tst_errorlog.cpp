// The error log and the notifier: newest entry first, the bound, a log that
// cannot be written never hiding the message box, the full-stop rule.
#include "platform/Cp932.h"
#include "platform/ErrorNotifier.h"
#include "platform/ScriptedPrompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString readLog(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return cp932Decode(file.readAll());
}

ErrorReport report(const QString &message)
{
    return ErrorReport{u"ETest"_s, u"at address 0000000000401000"_s, message, {u"frame one"_s, u"frame two"_s}};
}
} // namespace

class TestErrorLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QFile::remove(m_dir.filePath(u"Velmat_SysError.Log"_s));
        setErrorLogFolder(m_dir.path());
        m_previous = Prompter::install(&m_prompter);
        m_prompter.clear();
    }
    void cleanup()
    {
        Prompter::install(m_previous);
        setErrorLogFolder(QString());
    }

    void entryLines()
    {
        const QDateTime when(QDate(2012, 9, 2), QTime(13, 45, 1));
        const QStringList lines = errorLogEntry(report(u"書き込めません"_s), when);
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[0].endsWith(u" Exception ETest occured at address 0000000000401000"_s));
        QVERIFY(lines[0].contains(u"13"_s) && lines[0].contains(u"45"_s));
        QCOMPARE(lines[1], u"Message: 書き込めません"_s);
        QCOMPARE(lines[2], u"Call stack: "_s);
        QCOMPARE(lines.mid(3), QStringList({u"frame one"_s, u"frame two"_s}));
    }

    void raisedErrorKnowsWhere()
    {
        const ErrorReport raised = raisedError(u"ETest"_s, u"x"_s);
        QVERIFY(raised.place.startsWith(u"at address "_s));
        QCOMPARE(raised.place.size(), 11 + 2 * int(sizeof(void *)));
        QCOMPARE(raised.place, raised.place.toUpper().replace(u"AT ADDRESS"_s, u"at address"_s));
        QVERIFY(raised.stack.size() > 2);
        // Frames are named where the symbols allow it, demangled.
        QVERIFY(raised.stack.join(u'\n').contains(u"QTest::qRun()"_s));
    }

    void newestFirstWithTwoEmptyLines()
    {
        notifyError(report(u"一つ目"_s));
        notifyError(report(u"二つ目"_s));
        const QStringList lines = readLog(errorLogPath()).split(u"\r\n"_s);
        QCOMPARE(lines[1], u"Message: 二つ目"_s);
        QCOMPARE(lines.mid(5, 2), QStringList({QString(), QString()}));
        QCOMPARE(lines[8], u"Message: 一つ目"_s);
        QCOMPARE(lines.last(), QString()); // the file ends with a line end
        QCOMPARE(m_prompter.asked().size(), 2);
        QCOMPARE(m_prompter.asked()[1].text, u"二つ目."_s);
        QCOMPARE(m_prompter.asked()[1].caption, u"前ロールエディタ　Velmat"_s);
        QCOMPARE(m_prompter.asked()[1].icon, MsgIcon::Error);
    }

    void staysWithinItsBound()
    {
        const QString path = m_dir.filePath(u"bounded.log"_s);
        const qsizetype limit = 4000;
        for (int i = 0; i < 200; ++i) {
            QString error;
            QVERIFY(prependToErrorLog(path, errorLogEntry(report(u"エラー%1"_s.arg(i)), QDateTime::currentDateTime()),
                                      &error, limit));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.size() <= limit + 2, QByteArray::number(bytes.size()).constData());
        const QString text = cp932Decode(bytes);
        QVERIFY(text.contains(u"Message: エラー199\r\n"_s));
        QVERIFY(!text.contains(u"Message: エラー100\r\n"_s));
        // Cut at an entry's end: the last entry keeps its stack.
        QVERIFY(text.endsWith(u"frame one\r\nframe two\r\n"_s));
    }

    void unwritableLogStillShowsTheBox()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(u"Velmat_SysError.Log"_s)); // a folder of the log's name
        QVERIFY(!logError(report(u"x"_s)));
        notifyError(report(u"保存できません"_s), u"設定を保存"_s);
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked()[0].text, u"保存できません."_s);
        QCOMPARE(m_prompter.asked()[0].caption, u"設定を保存"_s);
        QDir(m_dir.path()).rmdir(u"Velmat_SysError.Log"_s);
    }

    void fullStop_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ends with 。") << u"読めません。"_s << u"読めません。."_s;
        QTest::newRow("ends with .") << u"Cannot read."_s << u"Cannot read."_s;
        QTest::newRow("ends with !") << u"Stop!"_s << u"Stop!"_s; // "!" comes before "."
        QTest::newRow("ends with a letter") << u"Access denied"_s << u"Access denied."_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void fullStop()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(errorBoxText(message), shown);
    }

private:
    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    Prompter *m_previous = nullptr;
};

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
