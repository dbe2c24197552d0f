// Errors beyond a command and the program's last moments: an error that
// reaches the event loop is logged, shown and listed while the program goes
// on; a fault or a termination leaves a rescue copy and a log entry; a kill
// in the middle of writing never leaves a broken work file.
#include "app/LastWords.h"
#include "platform/Cp932.h"
#include "platform/ErrorNotifier.h"
#include "platform/ScriptedPrompter.h"
#include "roll/RollRtf.h"
#include "settings/AutosaveFiles.h"
#include "settings/TDebugConsole.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

const QString kChild = QStringLiteral(VELMAT_LASTWORDS_CHILD);

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A roll of about `bytes` Shift-JIS bytes made of the sample's lines.
QString writeRoll(const QString &path, qsizetype bytes)
{
    const QByteArray sample = cp932Encode(testDataText(u"roll-sample.txt"_s).replace(u"\n"_s, u"\r\n"_s));
    QByteArray roll;
    while (roll.size() < bytes)
        roll += sample;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(roll);
    return rollFromFileBytes(roll).text;
}

} // namespace

class TestLastWords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    void errorInAnEventHandlerIsListedAndTheProgramGoesOn()
    {
        ScriptedPrompter prompter;
        Prompter *previous = Prompter::install(&prompter);
        setErrorLogFolder(m_dir.path());
        QStringList listed;
        auto *app = static_cast<VelmatApplication *>(qApp);
        app->setUnhandledErrorSink([&](const QString &message) { listed << message; });

        bool after = false;
        QTimer::singleShot(0, [] { throw std::runtime_error("テスト用のエラー"); });
        QTimer::singleShot(10, [&] { after = true; });
        QTRY_VERIFY(after); // the loop went on

        QCOMPARE(listed, QStringList{u"テスト用のエラー"_s});
        QCOMPARE(prompter.asked().size(), 1);
        QCOMPARE(prompter.asked()[0].text, u"テスト用のエラー."_s);
        QCOMPARE(prompter.asked()[0].caption, u"前ロールエディタ　Velmat"_s);
        const QString log = QString::fromUtf8(contents(m_dir.filePath(u"Velmat_SysError.Log"_s)));
        QVERIFY(!log.isEmpty());
        QVERIFY(contents(m_dir.filePath(u"Velmat_SysError.Log"_s)).contains(" Exception std::runtime_error occured at address "));
        app->setUnhandledErrorSink({});
        setErrorLogFolder(QString());
        Prompter::install(previous);
    }

    void errorWindowListsThroughTheCodePage()
    {
        TDebugConsole console;
        QCOMPARE(console.windowTitle(), u"エラー表示"_s);
        console.addError(u"保存できません①"_s);
        console.addError(u"価格は€5"_s);
        QCOMPARE(itemTexts(console.ListBox1), QStringList({u"【エラー】保存できません①"_s, u"【エラー】価格は?5"_s}));
        QVERIFY(console.isVisible());
    }

    void lastMomentsLeaveARescueCopy_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("logged");
        QTest::newRow("fault") << u"segv"_s << SIGSEGV << QByteArray("EFatalSignal");
        QTest::newRow("termination") << u"term"_s << SIGTERM << QByteArray("ETerminated");
    }
    void lastMomentsLeaveARescueCopy()
    {
        QFETCH(QString, mode);
        QFETCH(int, signal);
        QFETCH(QByteArray, logged);
        QTemporaryDir dir;
        const QString text = writeRoll(dir.filePath(u"roll.txt"_s), 20000);
        QProcess child;
        child.setWorkingDirectory(dir.path());
        child.start(kChild, {mode, dir.filePath(u"roll.txt"_s)});
        QVERIFY(child.waitForStarted());
        if (mode == u"term"_s) {
            QVERIFY(child.waitForReadyRead(30000));
            ::kill(pid_t(child.processId()), signal);
        }
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit); // ended by the signal itself

        const QStringList copies = autosaveCopies(dir.path()); // the roll's folder
        QCOMPARE(copies.size(), 1);
        const RollFromFile rescued = rollFromFileBytes(contents(dir.filePath(copies[0])));
        QVERIFY(rescued.complete);
        QCOMPARE(rescued.text, text);
        QVERIFY(contents(dir.filePath(u"Velmat_SysError.Log"_s)).contains(logged));
    }

    // Killed at random moments while autosaving and suspending a large roll:
    // every work file is either whole or absent.
    void killedWhileWritingLeavesWholeFiles()
    {
        QTemporaryDir dir;
        const QString text = writeRoll(dir.filePath(u"roll.txt"_s), 1024 * 1024);
        QRandomGenerator random(20261211);
        const int kills = 20;
        for (int round = 0; round < kills; ++round) {
            QProcess child;
            child.setWorkingDirectory(dir.path());
            child.start(kChild, {u"autosave"_s, dir.filePath(u"roll.txt"_s)});
            QVERIFY(child.waitForStarted());
            QVERIFY(child.waitForReadyRead(60000));
            QTest::qWait(random.bounded(400));
            child.kill();
            QVERIFY(child.waitForFinished(30000));
        }
        QStringList files = autosaveCopies(dir.path());
        files << u"作業一時保存.txt"_s;
        int checked = 0;
        for (const QString &name : files) {
            const QByteArray bytes = contents(dir.filePath(name));
            QVERIFY2(!bytes.isEmpty(), qPrintable(name));
            const RollFromFile read = rollFromFileBytes(bytes);
            QVERIFY2(read.complete, qPrintable(name));
            QVERIFY2(read.text == text, qPrintable(name));
            ++checked;
        }
        QVERIFY(contents(dir.filePath(u"作業一時保存.ini"_s)).contains("[main]"));
        qInfo("kills tried: %d, work files checked: %d, files broken: 0", kills, checked);
    }

private:
    QTemporaryDir m_dir;
};

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    VelmatApplication app(argc, argv);
    TestLastWords test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lastwords.moc"
