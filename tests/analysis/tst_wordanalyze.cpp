// The analysis run as the word-analysis window drives it: which message a
// failure shows, the morpheme text kept after it, the parts of speech after a
// success; the window's word lists, line lists, search and dictionary export;
// the part-of-speech marking of the main window. A shell script stands in
// for the analyser where its records are made by hand.
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/FindDialogs.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "history/EditHistory.h"
#include "lists/TFindList.h"
#include "platform/Cp932.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"
#include "support/AppWindowsStarted.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

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
    void analyserPastItsBoundIsTold_data();
    void analyserPastItsBoundIsTold();
    void wordListsFromMecab();
    void wordLists();
    void mouseClickOnAPartOfSpeechListsItsWords();
    void linesOfAWord();
    void searchForAWord();
    void exportNeedsAPartOfSpeech();
    void exportTwice();
    void exportThatCannotBeWritten();
    void marking();
    void markingBaseForms();

private:
    // Runs a stand-in analyser that writes `records`, then chooses `part` in WordClass.
    void analyseWith(const QString &records, const QString &part = {});
    static void choose(QListWidget *list, const QString &text);
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
    startAppWindows(m_prompter, m_printers);
    if (QTest::currentTestFailed())
        return;
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

void TestWordAnalyze::analyserPastItsBoundIsTold_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    const QString hint = u"\r\n\r\nロールに解析できない文字の並びがあるかもしれません。"_s;
    QTest::newRow("ChaSen") << int(AnalyserKind::Chasen) << u"茶筌が1秒たっても解析を終えなかったため、止めました。"_s + hint;
    QTest::newRow("MeCab") << int(AnalyserKind::Mecab) << u"MeCabが1秒たっても解析を終えなかったため、止めました。"_s + hint;
}

void TestWordAnalyze::analyserPastItsBoundIsTold()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    SetChasen->chasen_exe->setText(script(u"good"_s, "printf '" + kRecords.toUtf8() + "' > \"$out\""));
    WordAnalyze->AnalyzeClick();
    m_prompter.clear();
    // A stand-in that never ends, under a bound the test can wait for.
    const AnalyserSettings stuck{script(u"stuck"_s, "exec sleep 30"), AnalyserKind(kind), 400};
    QVERIFY(!analyseRoll(Form1->wordAnalysis(), Form1->rollAccess(), stuck));
    QCOMPARE(m_prompter.asked().size(), 1);
    const PromptRecord &shown = m_prompter.asked().first();
    QCOMPARE(shown.caption, u"解析失敗1"_s);
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.icon, MsgIcon::Error);
    QCOMPARE(WordAnalyze->lastRun().lines(), kRecords.split(u'\n', Qt::SkipEmptyParts));
}

void TestWordAnalyze::wordListsFromMecab()
{
    if (!QFile::exists(u"/usr/bin/mecab"_s))
        QFAIL("MeCab is not installed (the set-up script installs it)");
    // Chosen in the settings window, MeCab's words fill the lists under
    // ChaSen's names.
    Form1->RichEdit1->setPlainText(u"山田さんは東京へ走った。"_s);
    SetChasen->analyser->setCurrentIndex(1);
    m_prompter.clear();
    WordAnalyze->AnalyzeClick();
    SetChasen->analyser->setCurrentIndex(0);
    QVERIFY(m_prompter.asked().isEmpty());
    const QStringList parts = entries(WordAnalyze->WordClass);
    for (const QString &part : {u"名詞-固有名詞-人名-姓"_s, u"名詞-固有名詞-地域-一般"_s, u"動詞-自立"_s})
        QVERIFY2(parts.contains(part), qPrintable(parts.join(u'|')));
    choose(WordAnalyze->WordClass, u"動詞-自立"_s);
    WordAnalyze->ActivePat->setChecked(true);
    QCOMPARE(entries(WordAnalyze->WordList), QStringList{u"走る"_s});
    WordAnalyze->ActivePat->setChecked(false);
    Form1->RichEdit1->setPlainText(u"山田さんは東京へ。"_s);
}

void TestWordAnalyze::choose(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    list->setCurrentItem(found.first());
}

void TestWordAnalyze::analyseWith(const QString &records, const QString &part)
{
    SetChasen->chasen_exe->setText(script(u"records"_s, "printf '" + records.toUtf8() + "' > \"$out\""));
    WordAnalyze->AnalyzeClick();
    if (!part.isEmpty())
        choose(WordAnalyze->WordClass, part);
    m_prompter.clear();
}

namespace {
const QString kFourRecords = u"山田,山田,ヤマダ,名詞-固有名詞-人名-姓\n東京,東京,トウキョウ,名詞-固有名詞-地域-一般\n"
                             u"山田,山田,ヤマダ,名詞-固有名詞-人名-姓\n走っ,走る,ハシッ,動詞-自立\nEOS\n"_s;
} // namespace

void TestWordAnalyze::wordLists()
{
    analyseWith(kFourRecords);
    QCOMPARE(entries(WordAnalyze->WordClass),
             (QStringList{u"動詞-自立"_s, u"名詞-固有名詞-人名-姓"_s, u"名詞-固有名詞-地域-一般"_s}));
    QCOMPARE(WordAnalyze->WordList->count(), 0);
    choose(WordAnalyze->WordClass, u"名詞-固有名詞-人名-姓"_s);
    QCOMPARE(entries(WordAnalyze->WordList), QStringList{u"山田"_s});
    choose(WordAnalyze->WordClass, u"動詞-自立"_s);
    QCOMPARE(entries(WordAnalyze->WordList), QStringList{u"走っ"_s});
    QTest::mouseClick(WordAnalyze->ActivePat, Qt::LeftButton);
    QCOMPARE(entries(WordAnalyze->WordList), QStringList{u"走る"_s});
    WordAnalyze->ActivePat->setChecked(false);
    QCOMPARE(entries(WordAnalyze->WordList), QStringList{u"走っ"_s});
    // A new run empties both lists until a part of speech is chosen again.
    analyseWith(kFourRecords);
    QCOMPARE(WordAnalyze->WordList->count(), 0);
    QCOMPARE(WordAnalyze->WordClass->count(), 3);
}

// A mouse press makes the row current before selecting it: the words must
// follow the click as they follow the arrow keys.
void TestWordAnalyze::mouseClickOnAPartOfSpeechListsItsWords()
{
    WordAnalyze->ActivePat->setChecked(false);
    analyseWith(kFourRecords);
    WordAnalyze->showTool();
    QVERIFY(QTest::qWaitForWindowExposed(WordAnalyze));
    const auto click = [](const QString &part) {
        QListWidget *list = WordAnalyze->WordClass;
        const QList<QListWidgetItem *> found = list->findItems(part, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    };
    click(u"名詞-固有名詞-人名-姓"_s);
    QCOMPARE(entries(WordAnalyze->WordList), QStringList{u"山田"_s});
    click(u"動詞-自立"_s);
    QCOMPARE(entries(WordAnalyze->WordList), QStringList{u"走っ"_s});
    // The keys still follow.
    QTest::keyClick(WordAnalyze->WordClass, Qt::Key_Down);
    QCOMPARE(entries(WordAnalyze->WordList), QStringList{u"山田"_s});
    WordAnalyze->hide();
}

void TestWordAnalyze::linesOfAWord()
{
    QStringList roll;
    for (int i = 1; i <= 12; ++i)
        roll << (i == 3 || i == 12 ? u"%1行目の山田さん"_s.arg(i) : u"%1行目"_s.arg(i));
    Form1->RichEdit1->setPlainText(roll.join(u'\n'));
    analyseWith(kFourRecords, u"名詞-固有名詞-人名-姓"_s);
    FindList->hide();
    WordAnalyze->WordListDblClick(); // nothing chosen: nothing shown
    QVERIFY(!FindList->isVisible());
    WordAnalyze->WordList->setCurrentRow(0);
    WordAnalyze->WordListDblClick();
    QVERIFY(FindList->isVisible());
    QCOMPARE(FindList->windowTitle(), u"該当行リスト - 山田 を含む行"_s);
    QCOMPARE(entries(FindList->Listup), (QStringList{u"00003 : 3行目の山田さん"_s, u"00012 : 12行目の山田さん"_s}));
    FindList->hide();
}

void TestWordAnalyze::searchForAWord()
{
    analyseWith(kFourRecords, u"名詞-固有名詞-地域-一般"_s);
    QAction *search = WordAnalyze->PopupMenu1->findChild<QAction *>(u"Search1"_s);
    QVERIFY(search);
    QCOMPARE(search->text(), u"この文字を検索する(&Search)"_s);
    search->trigger();
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text, u"先に、検索したい文字を選択してください"_s);
    QCOMPARE(m_prompter.asked().first().caption, u"検索"_s);
    QCOMPARE(m_prompter.asked().first().icon, MsgIcon::None);
    QVERIFY(!Form1->FindDialog1->isVisible());

    WordAnalyze->WordList->setCurrentRow(0);
    search->trigger();
    QCOMPARE(m_prompter.asked().size(), 1);
    QVERIFY(Form1->FindDialog1->isVisible());
    QCOMPARE(Form1->FindDialog1->findText(), u"東京"_s);
    Form1->FindDialog1->hide();
}

void TestWordAnalyze::exportNeedsAPartOfSpeech()
{
    analyseWith(kFourRecords);
    QTest::mouseClick(WordAnalyze->Button1, Qt::LeftButton);
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text, u"先に、品詞を選んでください。"_s);
    QCOMPARE(m_prompter.asked().first().caption, u"辞書ファイルにする"_s);
    QCOMPARE(m_prompter.asked().first().icon, MsgIcon::None);
}

void TestWordAnalyze::exportTwice()
{
    analyseWith(kFourRecords + u"京都,京都,キョウト,名詞-固有名詞-地域-一般\n東京,東京,トウキョウ,名詞-固有名詞-地域-一般\n"_s,
                u"名詞-固有名詞-地域-一般"_s);
    QByteArray written[2];
    for (QByteArray &bytes : written) {
        m_prompter.clear();
        m_prompter.answer(MsgResult::Ok);
        m_prompter.answer(m_dir.filePath(u"ユーザ辞書"_s)); // the default extension is added
        WordAnalyze->Button1Click();
        QCOMPARE(m_prompter.asked().size(), 2);
        const PromptRecord &told = m_prompter.asked().at(0);
        QCOMPARE(told.text, u"名詞-固有名詞-地域-一般のデータを辞書登録用ファイルに変換します。\r\n"
                            u"(品詞はお使いのIMEにあわせて変更してください。)"_s);
        QCOMPARE(told.caption, u"辞書ファイルにする"_s);
        QCOMPARE(told.icon, MsgIcon::None);
        const PromptRecord &dialog = m_prompter.asked().at(1);
        QCOMPARE(dialog.kind, PromptRecord::SaveFile);
        QCOMPARE(dialog.defaultText, u"辞書登録用ファイル(*.txt) (*.txt);;すべてのファイル(*.*) (*)"_s);
        QCOMPARE(dialog.text, u"ユーザ辞書.txt"_s);
        QFile file(m_dir.filePath(u"ユーザ辞書.txt"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
    }
    QList<QByteArray> lines[2] = {written[0].split('\n'), written[1].split('\n')};
    QCOMPARE(lines[0].size(), 11); // eight header lines, two entries, after the final break
    QVERIFY(lines[0].at(5).startsWith("!DateTime: "));
    lines[0].removeAt(5);
    lines[1].removeAt(5);
    QCOMPARE(lines[0], lines[1]);
    QCOMPARE(written[0].count("\r\n"), 10); // every line ends in CR LF
    QCOMPARE(cp932Decode(lines[0].at(7)), u"とうきょう\t東京\t名詞-固有名詞-地域-一般\r"_s);
    QCOMPARE(cp932Decode(lines[0].at(8)), u"きょうと\t京都\t名詞-固有名詞-地域-一般\r"_s);
    QCOMPARE(lines[0].first(), QByteArray("Microsoft IME Dictionary Tool\r"));

    // Cancelling the dialog writes nothing.
    QFile::remove(m_dir.filePath(u"ユーザ辞書.txt"_s));
    m_prompter.clear();
    m_prompter.answer(MsgResult::Ok);
    m_prompter.answer(QString());
    WordAnalyze->Button1Click();
    QVERIFY(!QFile::exists(m_dir.filePath(u"ユーザ辞書.txt"_s)));
}

void TestWordAnalyze::exportThatCannotBeWritten()
{
    analyseWith(kFourRecords, u"動詞-自立"_s);
    const QString path = m_dir.filePath(u"no-such-folder/ユーザ辞書.txt"_s);
    m_prompter.answer(MsgResult::Ok);
    m_prompter.answer(path);
    WordAnalyze->Button1Click();
    QCOMPARE(m_prompter.asked().size(), 3);
    const PromptRecord &told = m_prompter.asked().at(2);
    QVERIFY2(told.text.startsWith(u"ファイル \"%1\" を保存できません。"_s.arg(path)), qPrintable(told.text));
    QCOMPARE(told.icon, MsgIcon::Error);
    QVERIFY(!QFile::exists(path));
}

namespace {
const QString kMarkedRoll = u"東京に行く\n<-東京で\n３人のこと\n書いた"_s;
using Kind = RollMark::Kind;

void putCaretOnLine(int line)
{
    QTextCursor cursor(Form1->RichEdit1->document()->findBlockByNumber(line));
    Form1->RichEdit1->setTextCursor(cursor);
}

void settleRecolouring()
{
    QTRY_VERIFY(!Form1->RE1_Draw->isActive() && !Form1->RE1_Draw2->isActive());
}
} // namespace

void TestWordAnalyze::marking()
{
    SetChasen->chasen_exe->setText(u"/usr/bin/chasen"_s);
    WordAnalyze->ActivePat->setChecked(false);
    Form1->RichEdit1->setPlainText(kMarkedRoll);
    Form1->ForceRecolorClick();
    settleRecolouring();
    putCaretOnLine(3);
    const int recorded = Form1->history().ring().current();
    m_prompter.clear();
    QStringList statusTexts;
    const auto watch = connect(Form1, &TForm1::statusTextChanged, this, [&](const QString &t) { statusTexts << t; });
    Form1->findChild<QAction *>(u"PaternMark1"_s)->trigger();
    disconnect(watch);

    const QList<RollMark> all{{0, 2, Kind::Noun}, {3, 2, Kind::Verb}, {6, 2, Kind::Plain}, {8, 2, Kind::Noun},
                              {10, 1, Kind::Plain}, {18, 2, Kind::Verb}};
    QCOMPARE(Form1->RichEdit1->marks(), all);
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text,
             u"品詞は下記のとおり色づけされています。\r\n\t\n名詞＝青\r\n動詞＝水色\r\n"_s);
    QCOMPARE(m_prompter.asked().first().caption, u"品詞マークがおわりました"_s);
    QCOMPARE(m_prompter.asked().first().icon, MsgIcon::Information);
    QVERIFY(statusTexts.startsWith(u"品詞チェック準備中・・・"_s));
    QVERIFY(statusTexts.contains(u"品詞マーク実行中・・・"_s));
    QCOMPARE(Form1->statusText(), u"★品詞マーク完了。"_s);

    // Drawn over the view: nouns white on blue.
    Form1->RichEdit1->viewport()->repaint();
    const QList<QTextEdit::ExtraSelection> shown = Form1->RichEdit1->extraSelections();
    QCOMPARE(shown.size(), all.size());
    QCOMPARE(shown.first().cursor.selectedText(), u"東京"_s);
    QCOMPARE(shown.first().format.background().color(), QColor(0, 0, 255));
    QCOMPARE(shown.first().format.foreground().color(), QColor(255, 255, 255));
    QCOMPARE(shown.at(1).format.background().color(), QColor(0, 255, 255));

    // The caret line gives way to its own colouring; no text changed, so no
    // undo step came of it.
    settleRecolouring();
    QCOMPARE(Form1->RichEdit1->marks(), all.mid(0, 5));
    QCOMPARE(Form1->history().ring().current(), recorded);
    QCOMPARE(Form1->RichEdit1->toPlainText(), kMarkedRoll);

    // Marks follow the lines they stand on.
    QTextCursor(Form1->RichEdit1->document()).insertText(u"\n"_s);
    QCOMPARE(Form1->RichEdit1->marks().at(1), (RollMark{4, 2, Kind::Verb}));

    // Recolouring removes them all.
    settleRecolouring();
    Form1->findChild<QAction *>(u"ForceRecolor"_s)->trigger();
    settleRecolouring();
    QCOMPARE(Form1->RichEdit1->marks(), QList<RollMark>{});
    Form1->RichEdit1->viewport()->repaint();
    QCOMPARE(Form1->RichEdit1->extraSelections().size(), 0);
}

void TestWordAnalyze::markingBaseForms()
{
    SetChasen->chasen_exe->setText(u"/usr/bin/chasen"_s);
    WordAnalyze->ActivePat->setChecked(true);
    Form1->RichEdit1->setPlainText(kMarkedRoll);
    putCaretOnLine(2);
    Form1->PaternMark1Click();
    WordAnalyze->ActivePat->setChecked(false);
    // 「書いた」 is searched as 「書く」: not in the text.
    QCOMPARE(Form1->RichEdit1->marks().last(), (RollMark{10, 1, Kind::Plain}));
    settleRecolouring();
}

QTEST_MAIN(TestWordAnalyze)
#include "tst_wordanalyze.moc"
