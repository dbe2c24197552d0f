// The analysis run as the word-analysis window drives it: which message a
// failure shows, the morpheme text kept after it, the parts of speech after a
// success. A shell script stands in for the analyser.
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString kFailure = u"茶筌が起動できなかったようです。\r\n\r\nインストールや設定を確認してください。"_s;
const QString kRecords = u"山田,山田,ヤマダ,名詞-固有名詞-人名-姓\n東京,東京,トウキョウ,名詞-固有名詞-地域-一般\nEOS\n"_s;

QStringList entries(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
} // namespace

class TestWordAnalyze : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void failureTitles_data();
    void failureTitles();

private:
    // A stand-in analyser: finds its output file after "-o", then runs `body`.
    QString script(const QString &name, const QByteArray &body);

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    FixedPrinterCatalog m_printers{{u"Office"_s}, u"Office"_s};
};

QString TestWordAnalyze::script(const QString &name, const QByteArray &body)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/sh\nwhile [ $# -gt 1 ]; do [ \"$1\" = -o ] && out=$2; shift; done\n" + body + "\n");
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner);
    return path;
}

void TestWordAnalyze::initTestCase()
{
    Prompter::install(&m_prompter);
    PrinterCatalog::install(&m_printers);
    createAppWindows();
    Form1->show();
    QTRY_COMPARE(Form1->statusText(), u"☆起動完了"_s);
    QTRY_VERIFY(!Form1->Timer1->isActive());
    Form1->RichEdit1->setPlainText(u"山田さんは東京へ。"_s);
}

void TestWordAnalyze::cleanupTestCase()
{
    destroyAppWindows();
}

void TestWordAnalyze::failureTitles_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("title");
    QTest::newRow("no such program") << u"missing-chasen"_s << QByteArray() << u"解析失敗2"_s;
    QTest::newRow("no output file") << u"silent"_s << QByteArray("exit 0") << u"解析失敗2"_s;
    QTest::newRow("output cannot be read") << u"folder"_s << QByteArray("mkdir \"$out\"") << u"解析失敗2"_s;
    QTest::newRow("error exit with output")
        << u"error"_s << QByteArray("echo '語,語,ゴ,名詞' > \"$out\"; echo broken >&2; exit 3") << u"解析失敗1"_s;
    QTest::newRow("crash") << u"crash"_s << QByteArray("kill -SEGV $$") << u"解析失敗1"_s;
}

void TestWordAnalyze::failureTitles()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, body);
    QFETCH(QString, title);

    // A successful run first: its records are what a failure must keep.
    SetChasen->chasen_exe->setText(script(u"good"_s, "printf '" + kRecords.toUtf8() + "' > \"$out\""));
    m_prompter.clear();
    WordAnalyze->AnalyzeClick();
    QVERIFY(m_prompter.asked().isEmpty());
    QCOMPARE(WordAnalyze->lastRun().lines(), kRecords.split(u'\n', Qt::SkipEmptyParts));
    QCOMPARE(entries(WordAnalyze->WordClass),
             (QStringList{u"名詞-固有名詞-人名-姓"_s, u"名詞-固有名詞-地域-一般"_s}));

    SetChasen->chasen_exe->setText(body.isEmpty() ? m_dir.filePath(program) : script(program, body));
    WordAnalyze->AnalyzeClick();
    QCOMPARE(m_prompter.asked().size(), 1);
    const PromptRecord &shown = m_prompter.asked().first();
    QCOMPARE(shown.caption, title);
    QVERIFY2(shown.text.startsWith(kFailure), qPrintable(shown.text));
    QCOMPARE(shown.icon, MsgIcon::None);
    QCOMPARE(WordAnalyze->lastRun().lines(), kRecords.split(u'\n', Qt::SkipEmptyParts));
    QCOMPARE(WordAnalyze->WordClass->count(), 0);
}

QTEST_MAIN(TestWordAnalyze)
#include "tst_wordanalyze.moc"
