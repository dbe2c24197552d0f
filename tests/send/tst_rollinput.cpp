// The input-assist window's file list: drops, clearing, loading a prepared roll.
#include "platform/ScriptedPrompter.h"
#include "send/TRollInput.h"
#include "support/PlainRoll.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {
void dropFiles(QWidget *target, const QStringList &paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class TestRollInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void droppedFilesAreListedInOrderAndCleared();
    void doubleClickLoadsTheRoll_data();
    void doubleClickLoadsTheRoll();
    void unreadableFileLeavesTheRoll();
    void brokenBytesAreLoadedAndTold();
    void nothingChosenLoadsNothing();

private:
    ScriptedPrompter m_prompter;
    QTemporaryDir m_dir;
};

void TestRollInput::init()
{
    Prompter::install(&m_prompter);
    m_prompter.clear();
}

void TestRollInput::droppedFilesAreListedInOrderAndCleared()
{
    PlainRoll roll;
    TRollInput window(roll);
    // A long path is kept whole: a cut one would name another file.
    const QString longPath = m_dir.filePath(QString(300, u'長') + u".txt"_s);
    const QString a = m_dir.filePath(u"a.txt"_s);
    dropFiles(&window, {a, longPath});
    dropFiles(&window, {a});
    QCOMPARE(window.files(), (QStringList{a, longPath, a}));
    window.GoRead->click();
    QVERIFY(window.files().isEmpty());
}

void TestRollInput::doubleClickLoadsTheRoll_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("roll");
    QTest::newRow("Shift-JIS, CR LF") << QByteArray("\x82\xa0\r\n<-\x83\x81\x83\x82\r\n") << u"あ\n<-メモ\n"_s;
    QTest::newRow("UTF-8 with a byte-order mark") << QByteArray("\xef\xbb\xbf\xe3\x81\x84\n2") << u"い\n2\n"_s;
}

void TestRollInput::doubleClickLoadsTheRoll()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, roll);
    PlainRoll plain(u"元の前ロール\n"_s);
    TRollInput window(plain);
    const QString path = m_dir.filePath(u"prepared.txt"_s);
    writeBytes(path, bytes);
    window.setFiles({path});
    window.FileList->setCurrentRow(0);
    window.FileListDblClick();
    QCOMPARE(plain.text, roll);
    QCOMPARE(plain.undoSteps, 1); // the roll before is one Undo away
    QVERIFY(m_prompter.asked().isEmpty());
}

void TestRollInput::unreadableFileLeavesTheRoll()
{
    PlainRoll plain(u"元の前ロール\n"_s);
    TRollInput window(plain);
    const QString missing = m_dir.filePath(u"gone.txt"_s);
    window.setFiles({missing});
    window.FileList->setCurrentRow(0);
    window.FileListDblClick();
    QCOMPARE(plain.text, u"元の前ロール\n"_s);
    QCOMPARE(plain.undoSteps, 0);
    QCOMPARE(m_prompter.asked().size(), 1);
    QVERIFY(m_prompter.asked()[0].text.startsWith(u"「%1」を読み込めませんでした。"_s.arg(missing)));
    QCOMPARE(m_prompter.asked()[0].caption, u"ファイル読み込み"_s);
    QCOMPARE(m_prompter.asked()[0].icon, MsgIcon::Error);
}

void TestRollInput::brokenBytesAreLoadedAndTold()
{
    PlainRoll plain(u"x\n"_s);
    TRollInput window(plain);
    const QString path = m_dir.filePath(u"broken.txt"_s);
    writeBytes(path, QByteArray("a\x82\r\n"));
    window.setFiles({path});
    window.FileList->setCurrentRow(0);
    window.FileListDblClick();
    QCOMPARE(plain.undoSteps, 1);
    QVERIFY(plain.text.startsWith(u"a"_s));
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked()[0].icon, MsgIcon::Warning);
    QVERIFY(m_prompter.asked()[0].text.contains(u"1か所"_s));
}

void TestRollInput::nothingChosenLoadsNothing()
{
    PlainRoll plain(u"x\n"_s);
    TRollInput window(plain);
    window.FileListDblClick();
    QCOMPARE(plain.text, u"x\n"_s);
    QVERIFY(m_prompter.asked().isEmpty());
}

QTEST_MAIN(TestRollInput)
#include "tst_rollinput.moc"
