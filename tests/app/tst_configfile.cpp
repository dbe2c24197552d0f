// The settings file against the real windows, headless.
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "convert/TWordChangeList.h"
#include "join/TJoinFile.h"
#include "lists/TMsgList.h"
#include "platform/Cp932.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"
#include "print/TSetPrinterSetup.h"
#include "reshape/TCaptionPreview.h"
#include "reshape/TSetCheck.h"
#include "reshape/TWordDic.h"
#include "send/TRollInput.h"
#include "support/AppWindowsStarted.h"
#include "widgets/ToolWindow.h"
#include "app/ConfigFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

static bool AutoSaveTimerActive();

namespace {

QString writeIni(const QTemporaryDir &dir, const QString &text)
{
    const QString path = dir.filePath(u"s.ini"_s);
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(cp932Encode(text));
    return path;
}

QString readIni(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return cp932Decode(f.readAll());
}

QStringList items(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Every stored setting in a form that compares.
QStringList snapshot()
{
    QStringList s;
    TForm1 *f = Form1;
    s << QString::number(f->CharPosValue->value()) << f->SelFontName->currentText()
      << QString::number(f->SelFontSize->value());
    for (const QAction *a : {f->NoRecolor, f->NoMojiLine, f->PlasticComment, f->PlasticWordCheck,
                             f->PlasticKinsoku, f->PlasticPhrase, f->PlasticBalance, f->AutoSave1,
                             f->CaptionPreview1})
        s << (a->isChecked() ? u"1"_s : u"0"_s);
    s << (f->wordDictionaryMark() ? u"dictionary mark"_s : u"no dictionary mark"_s);
    s << u"furigana year %1"_s.arg(f->furiganaGrade());
    for (const QCheckBox *c : {f->Cmt1, f->Cmt2, f->Cmt3, f->Cmt4, WordAnalyze->ActivePat,
                               RollInput->SendByEnter})
        s << (c->isChecked() ? u"1"_s : u"0"_s);
    s << SetPrinterSetup->PrinterName->currentText() << SetPrinterSetup->PrintFont->currentText()
      << QString::number(SetPrinterSetup->PrintFontSize->value())
      << QString::number(SetPrinterSetup->PrintDiv->value())
      << QString::number(SetCheck->SetCheckWidth->value()) << QString::number(SetCheck->SelFontSize->value())
      << SetCheck->SelFont->currentText() << SetChasen->chasen_exe->text() << SetChasen->xdoc2txt->text()
      << SetChasen->analyser->currentText() << SetChasen->mecab_exe->text();
    for (const QString &key : {u"F4"_s, u"F5"_s, u"F10"_s})
        s << RollInput->functionKeyText(key);
    s << items(JoinFile->FileList).join(u'|') << items(RollInput->FileList).join(u'|')
      << WordDic->DicList->toPlainText();
    for (int r = 0; r < WordChangeList->WordList->rowCount(); ++r)
        s << WordChangeList->WordList->item(r, 0)->text() + u"=>"_s + WordChangeList->WordList->item(r, 1)->text();
    s << (AutoSaveTimerActive() ? u"timer on"_s : u"timer off"_s);
    s << (f->CharPosSign->isHidden() ? u"bar hidden"_s : u"bar shown"_s);
    s << (MsgList->isVisible() ? u"msglist shown"_s : u"msglist hidden"_s);
    s << (f->CaptionPreview->isVisible() ? u"preview shown"_s : u"preview hidden"_s);
    s << QString::number(JoinFile->width()) + u'x' + QString::number(JoinFile->height());
    return s;
}

} // namespace

static bool AutoSaveTimerActive()
{
    return Form1->AutoSaveTimer->isActive();
}

class TestConfigFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void missingFileGivesDefaults();
    void roundTripOfEveryKey();
    void loadClampsAndParses_data();
    void loadClampsAndParses();
    void listWithGapKeepsEmptyEntry();
    void shorterListLeavesOldEntries();
    void onlyMainSectionHidesToolsAndEmptiesLists();
    void failedSaveIsReportedAndKeepsFile();
    void damagedListCountIsBounded_data();
    void damagedListCountIsBounded();
    void dictionaryLinesKeepTheirBlanks();
    void configLoadTakesTheChosenFile_data();
    void configLoadTakesTheChosenFile();
    void configLoadRefusesMissingOrUnreadableFile_data();
    void configLoadRefusesMissingOrUnreadableFile();
    void storedSizesAreCutToTheScreen_data();
    void storedSizesAreCutToTheScreen();

private:
    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    FixedPrinterCatalog m_printers{{u"Office"_s, u"Label"_s}, u"Office"_s};
};

void TestConfigFile::init()
{
    startAppWindows(m_prompter, m_printers);
}

void TestConfigFile::cleanup()
{
    destroyAppWindows();
    m_prompter.clear();
}

void TestConfigFile::missingFileGivesDefaults()
{
    const QStringList initial = snapshot();
    // Change things, then load a file that does not exist.
    Form1->CharPosValue->setValue(33);
    Form1->Cmt3->setChecked(true);
    JoinFile->FileList->addItem(u"a.txt"_s);
    SetCheck->SetCheckWidth->setValue(1000);
    Form1->findChild<QAction *>(u"FuriganaGrade3"_s)->trigger();
    loadConfigFile(m_dir.filePath(u"none.ini"_s));
    QCOMPARE(snapshot(), initial);
    QCOMPARE(Form1->CharPosValue->value(), 10);
    QCOMPARE(SetCheck->SetCheckWidth->value(), 640);
}

void TestConfigFile::roundTripOfEveryKey()
{
    TForm1 *f = Form1;
    f->CharPosValue->setValue(17);
    f->SelFontName->setCurrentText(u"ＭＳ 明朝"_s);
    f->SelFontSize->setValue(14);
    for (QAction *a : {f->NoRecolor, f->NoMojiLine, f->PlasticComment, f->PlasticWordCheck,
                       f->PlasticKinsoku, f->PlasticPhrase, f->PlasticBalance, f->AutoSave1,
                       f->CaptionPreview1})
        a->setChecked(true);
    f->setWordDictionaryMark(true);
    f->AutoSave1Click();
    f->CaptionPreview1Click();
    f->NoMojiLineClick();
    f->findChild<QAction *>(u"FuriganaGrade4"_s)->trigger();
    f->Cmt1->setChecked(false);
    f->Cmt2->setChecked(true);
    f->Cmt4->setChecked(true);
    WordAnalyze->ActivePat->setChecked(true);
    RollInput->SendByEnter->setChecked(true);
    SetPrinterSetup->PrinterName->setCurrentText(u"Label"_s);
    SetPrinterSetup->PrintFont->setCurrentText(u"ＭＳ Ｐ明朝"_s);
    SetPrinterSetup->PrintFontSize->setValue(12);
    SetPrinterSetup->PrintDiv->setValue(3);
    SetCheck->SetCheckWidth->setValue(1440);
    SetCheck->SelFontSize->setValue(48);
    SetCheck->SelFont->setCurrentText(u"どこにもないフォント"_s);
    SetChasen->chasen_exe->setText(u"/opt/chasen/bin/chasen"_s);
    SetChasen->xdoc2txt->setText(u"/opt/filter"_s);
    SetChasen->analyser->setCurrentIndex(1);
    SetChasen->mecab_exe->setText(u"/opt/mecab/bin/mecab"_s);
    RollInput->setFunctionKeyText(u"F4"_s, u"はい"_s);
    RollInput->setFunctionKeyText(u"F10"_s, u"（拍手）"_s);
    JoinFile->FileList->addItems({u"第一部.txt"_s, QString(), u"c d.txt"_s});
    RollInput->FileList->addItems({u"x.txt"_s});
    WordDic->DicList->setPlainText(u"要約筆記\n前ロール"_s);
    WordChangeList->WordList->setRowCount(2);
    WordChangeList->WordList->setItem(0, 0, new QTableWidgetItem(u"ｷﾛ"_s));
    WordChangeList->WordList->setItem(0, 1, new QTableWidgetItem(u"㌔"_s));
    WordChangeList->WordList->setItem(1, 0, new QTableWidgetItem(u"a=b"_s));
    WordChangeList->WordList->setItem(1, 1, new QTableWidgetItem(QString()));
    MsgList->show();
    JoinFile->resize(500, 300);
    const QStringList saved = snapshot();

    const QString path = m_dir.filePath(u"all.ini"_s);
    QVERIFY(saveConfigFile(path));
    destroyAppWindows();
    init();
    QVERIFY(snapshot() != saved);
    loadConfigFile(path);
    QStringList loaded = snapshot();
    // A key containing "=" cannot come back whole: the first "=" separates.
    const qsizetype row = saved.indexOf(u"a=b=>"_s);
    QVERIFY(row > 0);
    QCOMPARE(loaded.at(row), u"a=>b="_s);
    loaded[row] = saved.at(row);
    QCOMPARE(loaded, saved);
    QCOMPARE(Form1->RichEdit1->font().family(), u"IPAMincho"_s);
}

void TestConfigFile::loadClampsAndParses_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("value");
    QTest::newRow("CharLine clamped to 100") << u"[main]\r\nCharLine=500\r\n"_s << u"CharPosValue"_s << 100;
    QTest::newRow("PrintDiv 0 clamped to 1") << u"[print]\r\nPrintDiv=0\r\n"_s << u"PrintDiv"_s << 1;
    QTest::newRow("PrintDiv 9 clamped to 5") << u"[print]\r\nPrintDiv=9\r\n"_s << u"PrintDiv"_s << 5;
    QTest::newRow("hex width") << u"[check]\r\nSetCheckWidth=0x280\r\n"_s << u"SetCheckWidth"_s << 640;
    QTest::newRow("non-numeric gives default") << u"[check]\r\nSetCheckWidth=wide\r\n"_s << u"SetCheckWidth"_s << 640;
    QTest::newRow("names ignore case") << u"[MAIN]\r\ncharline=7\r\n"_s << u"CharPosValue"_s << 7;
}

void TestConfigFile::loadClampsAndParses()
{
    QFETCH(QString, ini);
    QFETCH(QString, control);
    QFETCH(int, value);
    loadConfigFile(writeIni(m_dir, ini));
    QSpinBox *box = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if ((box = w->findChild<QSpinBox *>(control)))
            break;
    }
    QVERIFY(box);
    QCOMPARE(box->value(), value);
}

void TestConfigFile::listWithGapKeepsEmptyEntry()
{
    loadConfigFile(writeIni(m_dir, u"[Join]\r\nFileTotal=3\r\nFile_000=a\r\nFile_002=c\r\n"_s));
    QCOMPARE(items(JoinFile->FileList), (QStringList{u"a"_s, QString(), u"c"_s}));
    loadConfigFile(writeIni(m_dir, u"[RollInput]\r\nF4=  はい\r\n"_s));
    QCOMPARE(RollInput->functionKeyText(u"F4"_s), u"はい"_s);
}

void TestConfigFile::shorterListLeavesOldEntries()
{
    QString text = u"[Join]\r\nFileTotal=5\r\n"_s;
    for (int i = 0; i < 5; ++i)
        text += u"File_00%1=old%1\r\n"_s.arg(i);
    const QString path = writeIni(m_dir, text);
    JoinFile->FileList->addItems({u"new0"_s, u"new1"_s});
    QVERIFY(saveConfigFile(path));
    const QString after = readIni(path);
    QVERIFY(after.contains(u"FileTotal=2\r\nFile_000=new0\r\nFile_001=new1\r\nFile_002=old2\r\n"_s));
    loadConfigFile(path);
    QCOMPARE(items(JoinFile->FileList), (QStringList{u"new0"_s, u"new1"_s}));
}

void TestConfigFile::onlyMainSectionHidesToolsAndEmptiesLists()
{
    MsgList->show();
    MsgList->move(123, 45);
    JoinFile->FileList->addItem(u"a"_s);
    RollInput->FileList->addItem(u"b"_s);
    WordDic->DicList->setPlainText(u"語"_s);
    WordChangeList->WordList->setRowCount(1);
    RollInput->setFunctionKeyText(u"F5"_s, u"keep"_s);
    loadConfigFile(writeIni(m_dir, u"[main]\r\nCharLine=12\r\n"_s));
    QVERIFY(!MsgList->isVisible());
    QCOMPARE(MsgList->pos(), QPoint(123, 45));
    QCOMPARE(JoinFile->FileList->count(), 0);
    QCOMPARE(RollInput->FileList->count(), 0);
    QVERIFY(WordDic->DicList->toPlainText().isEmpty());
    QCOMPARE(WordChangeList->WordList->rowCount(), 0);
    QCOMPARE(RollInput->functionKeyText(u"F5"_s), u"keep"_s);
    QVERIFY(Form1->isVisible());
}

void TestConfigFile::failedSaveIsReportedAndKeepsFile()
{
    const QString blocker = writeIni(m_dir, u"[main]\r\nCharLine=12\r\n"_s);
    m_prompter.answer(QVariant(blocker + u"/inner.ini"_s));
    Form1->findChild<QAction *>(u"ConfigSave1"_s)->trigger();
    QCOMPARE(m_prompter.asked().size(), 2);
    QCOMPARE(m_prompter.asked().at(0).caption, u"設定ファイルを保存"_s);
    QCOMPARE(m_prompter.asked().at(0).text, u"自動読み込み.ini"_s);
    QCOMPARE(m_prompter.asked().at(1).caption, u"設定を保存"_s);
    QCOMPARE(m_prompter.asked().at(1).icon, MsgIcon::Error);
    QCOMPARE(readIni(blocker), u"[main]\r\nCharLine=12\r\n"_s);
}

void TestConfigFile::damagedListCountIsBounded_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("huge count, two entries")
        << u"[Join]\r\nFileTotal=2000000000\r\nFile_000=a\r\nFile_001=b\r\n"_s << u"Join"_s
        << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("hex count, gap kept")
        << u"[RollInput]\r\nFileTotal=0x7FFFFFFF\r\nFile_000=x\r\nFile_002=z\r\n"_s << u"RollInput"_s
        << QStringList{u"x"_s, QString(), u"z"_s};
    QTest::newRow("only a far entry") << u"[Join]\r\nFileTotal=2000000000\r\nFile_1999999999=far\r\n"_s
                                      << u"Join"_s << QStringList{};
    QTest::newRow("dictionary") << u"[WordDic]\r\nDicTotal=2147483647\r\nDic_00000=語\r\n"_s << u"WordDic"_s
                                << QStringList{u"語"_s};
    QTest::newRow("entries past the count stay unread")
        << u"[Join]\r\nFileTotal=1\r\nFile_000=a\r\nFile_001=old\r\n"_s << u"Join"_s << QStringList{u"a"_s};
}

// A damaged count costs no more than the entries the file holds.
void TestConfigFile::damagedListCountIsBounded()
{
    QFETCH(QString, ini);
    QFETCH(QString, list);
    QFETCH(QStringList, entries);
    loadConfigFile(writeIni(m_dir, ini));
    QStringList loaded;
    if (list == u"Join"_s)
        loaded = items(JoinFile->FileList);
    else if (list == u"RollInput"_s)
        loaded = items(RollInput->FileList);
    else if (!WordDic->DicList->toPlainText().isEmpty())
        loaded = WordDic->DicList->toPlainText().split(u'\n');
    QCOMPARE(loaded, entries);
}

// Blanks at the ends of a dictionary line count in the word check.
void TestConfigFile::dictionaryLinesKeepTheirBlanks()
{
    const QString lines = u" 前\nロール \n\"引用\"\n'単'\n\t語\t\n普通"_s;
    WordDic->DicList->setPlainText(lines);
    const QString path = m_dir.filePath(u"dic.ini"_s);
    QVERIFY(saveConfigFile(path));
    QVERIFY(readIni(path).contains(u"Dic_00001=\"ロール \"\r\n"_s));
    QVERIFY(readIni(path).contains(u"Dic_00005=普通\r\n"_s));
    WordDic->DicList->clear();
    loadConfigFile(path);
    QCOMPARE(WordDic->DicList->toPlainText(), lines);
}

void TestConfigFile::configLoadTakesTheChosenFile_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("onDisk");
    QTest::newRow("existing file without suffix") << u"settings"_s << u"settings"_s;
    QTest::newRow("typed name, file has .ini") << u"conf"_s << u"conf.ini"_s;
    QTest::newRow("ini file") << u"a.ini"_s << u"a.ini"_s;
}

void TestConfigFile::configLoadTakesTheChosenFile()
{
    QFETCH(QString, chosen);
    QFETCH(QString, onDisk);
    QFile f(m_dir.filePath(onDisk));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[main]\r\nCharLine=33\r\n[Join]\r\nFileTotal=1\r\nFile_000=a\r\n");
    f.close();
    m_prompter.answer(QVariant(m_dir.filePath(chosen)));
    Form1->findChild<QAction *>(u"ConfigRead1"_s)->trigger();
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().at(0).caption, u"設定ファイルを読み込む"_s);
    QCOMPARE(Form1->CharPosValue->value(), 33);
    QCOMPARE(items(JoinFile->FileList), QStringList{u"a"_s});
}

void TestConfigFile::configLoadRefusesMissingOrUnreadableFile_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing") << u"none.ini"_s << false << u"設定ファイルが見つかりません。\r\n"_s;
    QTest::newRow("missing, no suffix") << u"none"_s << false << u"設定ファイルが見つかりません。\r\n"_s;
    QTest::newRow("a folder") << u"folder.ini"_s << true << u"設定ファイルを読み込めませんでした。\r\n"_s;
}

// Loading nothing must not reset every setting and empty the lists.
void TestConfigFile::configLoadRefusesMissingOrUnreadableFile()
{
    QFETCH(QString, chosen);
    QFETCH(bool, isFolder);
    QFETCH(QString, text);
    const QString path = m_dir.filePath(chosen);
    if (isFolder)
        QVERIFY(QDir(m_dir.path()).mkpath(chosen));
    Form1->CharPosValue->setValue(33);
    JoinFile->FileList->addItem(u"keep.txt"_s);
    WordDic->DicList->setPlainText(u"語"_s);
    const QStringList before = snapshot();
    m_prompter.answer(QVariant(path));
    Form1->findChild<QAction *>(u"ConfigRead1"_s)->trigger();
    QCOMPARE(m_prompter.asked().size(), 2);
    const PromptRecord &shown = m_prompter.asked().at(1);
    QCOMPARE(shown.caption, u"設定を開く"_s);
    QCOMPARE(shown.icon, MsgIcon::Error);
    QVERIFY2(shown.text.startsWith(text + path), qPrintable(shown.text));
    QCOMPARE(snapshot(), before);
}

void TestConfigFile::storedSizesAreCutToTheScreen_data()
{
    QTest::addColumn<QString>("size");
    QTest::newRow("largest size Qt knows") << u"16777215"_s;
    QTest::newRow("30000 square") << u"30000"_s;
}

// Resized to such a size the window would take a buffer of gigabytes, or
// stop the program at every start.
void TestConfigFile::storedSizesAreCutToTheScreen()
{
    QFETCH(QString, size);
    const QString path = writeIni(m_dir, u"[main]\r\nTop=0\r\nLeft=0\r\nWidth=%1\r\nHeight=%1\r\n"
                                          u"[MsgLst]\r\nTop=-40000\r\nLeft=90000\r\nWidth=%1\r\nHeight=%1\r\nView=1\r\n"_s
                                              .arg(size));
    Form1->LoadConfigFile(path);
    const QList<QRect> screens = availableScreenAreas();
    QVERIFY(!screens.isEmpty());
    for (QWidget *window : {static_cast<QWidget *>(Form1), static_cast<QWidget *>(MsgList)}) {
        const QRect frame = window->frameGeometry();
        QVERIFY2(std::any_of(screens.cbegin(), screens.cend(), [&](const QRect &s) { return s.contains(frame); }),
                 qPrintable(u"%1 %2,%3 %4x%5"_s.arg(window->objectName()).arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
    }
    QVERIFY(MsgList->isVisible());
}

QTEST_MAIN(TestConfigFile)
#include "tst_configfile.moc"
