// The custom dictionary window's own files.
#include "platform/Cp932.h"
#include "platform/ScriptedPrompter.h"
#include "reshape/TWordDic.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestWordDic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadAndSave_data();
    void loadAndSave();
    void saveAsksBeforeQuestionMarks();
    void brokenFileIsLoadedWithAWarning();
};

void TestWordDic::loadAndSave_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("memo");
    QTest::newRow("Shift-JIS") << cp932Encode(u"要約筆記\r\n前ロール\r\n"_s) << u"要約筆記\n前ロール\n"_s;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF\xE6\xBC\xA2\xE5\xAD\x97\r\n") << u"漢字\n"_s;
    QTest::newRow("trailing blank kept") << cp932Encode(u"良い天気 \r\n"_s) << u"良い天気 \n"_s;
}

void TestWordDic::loadAndSave()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, memo);
    QTemporaryDir dir;
    const QString in = dir.filePath(u"in.txt"_s);
    QFile f(in);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    ScriptedPrompter prompter;
    Prompter *old = Prompter::install(&prompter);
    TWordDic window;
    prompter.answer(QVariant(in));
    window.OpenTextClick();
    QCOMPARE(window.DicList->toPlainText(), memo);
    const QString out = dir.filePath(u"out"_s);
    prompter.answer(QVariant(out));
    window.SaveTextClick();
    QFile saved(out + u".txt"_s); // the default extension
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(cp932Decode(saved.readAll()), cp932Decode(file.startsWith("\xEF") ? cp932Encode(u"漢字\r\n"_s) : file));
    Prompter::install(old);
}

void TestWordDic::saveAsksBeforeQuestionMarks()
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Prompter *old = Prompter::install(&prompter);
    TWordDic window;
    window.DicList->setPlainText(u"😀語"_s);
    prompter.answer(QVariant(dir.filePath(u"d.txt"_s)));
    prompter.answer(MsgResult::No);
    window.SaveTextClick();
    QCOMPARE(prompter.asked().size(), 2);
    QCOMPARE(prompter.asked().at(1).caption, u"保存の確認"_s);
    QVERIFY(!QFile::exists(dir.filePath(u"d.txt"_s)));
    Prompter::install(old);
}

void TestWordDic::brokenFileIsLoadedWithAWarning()
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"broken.txt"_s);
    QFile f(in);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\xFF\xFE\x42\x30\x3D\xD8\x0D\x00\x0A\x00", 10)); // あ, a lone surrogate, CR LF
    f.close();
    ScriptedPrompter prompter;
    Prompter *old = Prompter::install(&prompter);
    TWordDic window;
    prompter.answer(QVariant(in));
    window.OpenTextClick();
    QCOMPARE(window.DicList->toPlainText(), u"あ\uFFFD\n"_s);
    QCOMPARE(prompter.asked().size(), 2);
    const PromptRecord &warning = prompter.asked().at(1);
    QCOMPARE(warning.text, u"\"%1\" には UTF-16 として読めない部分が 1 か所あり、「\uFFFD」で表示しています。"
                           u"\r\nこのまま保存すると、その部分は「?」になります。"_s.arg(in));
    QCOMPARE(warning.caption, u"読み込みの確認"_s);
    QCOMPARE(warning.icon, MsgIcon::Warning);
    Prompter::install(old);
}

QTEST_MAIN(TestWordDic)
#include "tst_worddic.moc"
