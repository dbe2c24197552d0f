// The file commands of the main window, driven headless through scripted dialogs.
#include "analysis/TSetChasen.h"
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"
#include "roll/RollRtf.h"
#include "send/TRollInput.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

const QString kDocuments = QStringLiteral(VELMAT_DOCUMENTS);
const QString kErrorCaption = u"前ロールエディタ　Velmat"_s;
const QString kOpenFilter =
    u"テキストファイル(*.txt) (*.txt);;IPtalk スライド(*.sl1) (*.sl1);;リッチテキスト(*.rtf) (*.rtf);;"
    u"WORDファイル(*.doc;*.docx) (*.doc *.docx);;Excelファイル(*.xls;*.xlsx) (*.xls *.xlsx);;"
    u"PowerPointファイル(*.ppt;*.pptx) (*.ppt *.pptx);;"
    u"OpenOffice.org (*.sxw;*.sxc;*.sxi;*.sxd) (*.sxw *.sxc *.sxi *.sxd);;"
    u"OpenDocument (*.odt;*.ods;*.odp;*.odg) (*.odt *.ods *.odp *.odg);;一太郎 (*.j*) (*.j*);;"
    u"OASYS (*.oa*) (*.oa*);;Lotas 123 (*.wj*;*.wl*) (*.wj* *.wl*);;"
    u"Adobe Portable Data Format (*.pdf) (*.pdf);;HTML (*.html) (*.html);;Outlook (*.eml) (*.eml);;"
    u"すべてのファイル(*.*) (*)"_s;
const QString kSaveFilter =
    u"テキストファイル(*.txt) (*.txt);;スライド(*.sl1) (*.sl1);;すべてのファイル(*.*) (*)"_s;
const QString kDocxText = u"第一段落です。\n前\t後\n改行の後\n\n田中／残った字\n表の中\n"_s;

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString editorText() { return Form1->RichEdit1->toPlainText(); }

void dropOn(QWidget *target, const QStringList &paths)
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
    QVERIFY(drop.isAccepted());
}

} // namespace

class TestDocumentFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void openThroughTheDialog_data();
    void openThroughTheDialog();
    void openFailureKeepsTheRoll_data();
    void openFailureKeepsTheRoll();
    void brokenBytesAreLoadedWithAWarning_data();
    void brokenBytesAreLoadedWithAWarning();
    void utf8WithoutMarkIsReadAsUtf8AndTold();
    void richTextCopiesOpenAsTheirRoll_data();
    void richTextCopiesOpenAsTheirRoll();
    void inputAssistLoadShowsTheStatusALoadShows();
    void saveWritesTheRollFile();
    void saveDialogStartsWhereTheRollIs_data();
    void saveDialogStartsWhereTheRollIs();
    void saveAsksBeforeLosingCharacters_data();
    void saveAsksBeforeLosingCharacters();
    void failedSaveKeepsOldFileAndRoll();
    void closeWithFailedSaveStaysOpen();
    void newCommand_data();
    void newCommand();
    void documentWithShellCharactersIsOpenedNotRun();
    void filterFailureKeepsTheRoll_data();
    void filterFailureKeepsTheRoll();
    void partlyReadDocumentIsLoadedWithAWarning_data();
    void partlyReadDocumentIsLoadedWithAWarning();
    void escapeStopsASlowFilter();
    void dropLoadsFiles_data();
    void dropLoadsFiles();
    void dropOfThreeStopsAtCancel();
    void commandLineDocumentIsFiltered();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    QString m_oldCwd;
    ScriptedPrompter m_prompter;
    FixedPrinterCatalog m_noPrinters;
};

void TestDocumentFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_oldCwd = QDir::currentPath();
    Prompter::install(&m_prompter);
    PrinterCatalog::install(&m_noPrinters);
}

void TestDocumentFiles::init()
{
    QDir::setCurrent(m_dir.path());
    m_prompter.clear();
    createAppWindows();
    SetChasen->xdoc2txt->setText(QStringLiteral(VELMAT_DOC2TXT));
}

void TestDocumentFiles::cleanup()
{
    destroyAppWindows();
    QDir::setCurrent(m_oldCwd);
}

void TestDocumentFiles::openThroughTheDialog_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Shift-JIS roll") << u"roll.txt"_s << QByteArray("<-\x81\x9F\x8C\xA9\r\n\x96\x7B\x95\xB6\r\n")
                                    << u"<-◆見\n本文\n"_s;
    QTest::newRow("UTF-16 with mark, upper-case extension")
        << u"ROLL.TXT"_s << QByteArray("\xFF\xFE\x42\x30\x0D\x00\x0A\x00", 8) << u"あ\n"_s;
    QTest::newRow("slide file shown as its raw lines")
        << u"page.sl1"_s << QByteArray("-\x83\x58\x83\x89\x83\x43\x83\x68\x31,0\r\nA\r\n") << u"-スライド1,0\nA\n"_s;
}

void TestDocumentFiles::openThroughTheDialog()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    put(path(name), bytes);
    Form1->RichEdit1->setPlainText(u"前のロール"_s);
    m_prompter.answer(path(name));
    Form1->findChild<QAction *>(u"O1"_s)->trigger();
    QCOMPARE(editorText(), text);
    QCOMPARE(m_prompter.asked().size(), 1); // no save question: open replaces the roll
    const PromptRecord &dialog = m_prompter.asked().first();
    QCOMPARE(dialog.kind, PromptRecord::OpenFile);
    QCOMPARE(dialog.caption, u"ファイルを開く"_s);
    QCOMPARE(dialog.defaultText, kOpenFilter);
}

void TestDocumentFiles::openFailureKeepsTheRoll_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");
    QTest::newRow("dialog cancelled: nothing") << QString() << QString();
    QTest::newRow("missing file") << u"missing.txt"_s << u"ファイルが見つかりません。"_s;
    QTest::newRow("a folder") << u"folder.txt"_s << u"フォルダは開けません。"_s;
    QTest::newRow("past the size limit") << u"huge.txt"_s
                                         << u"ファイルが大きすぎます。読み込めるのは 256 MiB までです。"_s;
}

void TestDocumentFiles::openFailureKeepsTheRoll()
{
    QFETCH(QString, answer);
    QFETCH(QString, message);
    QDir(m_dir.path()).mkdir(u"folder.txt"_s);
    QFile huge(path(u"huge.txt"_s));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(256 * 1024 * 1024 + 1)); // sparse: no disk used
    huge.close();
    Form1->RichEdit1->setPlainText(u"大事なロール"_s);
    m_prompter.answer(answer.isEmpty() ? QString() : path(answer));
    Form1->O1Click();
    QCOMPARE(editorText(), u"大事なロール"_s);
    QCOMPARE(m_prompter.asked().size(), message.isEmpty() ? 1 : 2);
    if (!message.isEmpty()) {
        const PromptRecord &error = m_prompter.asked().last();
        QCOMPARE(error.text, u"ファイル \"%1\" を開けません。\r\n%2"_s.arg(path(answer), message));
        QCOMPARE(error.caption, kErrorCaption);
        QCOMPARE(error.icon, MsgIcon::Error);
    }
}

void TestDocumentFiles::brokenBytesAreLoadedWithAWarning_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<int>("broken");
    QTest::newRow("Shift-JIS") << QByteArray("\x82\xA0\x80\r\n") << u"あ\uFFFD\n"_s << u"Shift-JIS"_s << 1;
    QTest::newRow("UTF-8 with its mark")
        << QByteArray("\xEF\xBB\xBF\xE3\x81\x82\xFF\r\n") << u"あ\uFFFD\n"_s << u"UTF-8"_s << 1;
    QTest::newRow("UTF-16 with lone surrogates")
        << QByteArray("\xFF\xFE\x42\x30\x3D\xD8\x0A\x00\x00\xDE", 10) << u"あ\uFFFD\n\uFFFD"_s
        << u"UTF-16"_s << 2;
}

void TestDocumentFiles::brokenBytesAreLoadedWithAWarning()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, encoding);
    QFETCH(int, broken);
    put(path(u"broken.txt"_s), bytes);
    QVERIFY(Form1->LoadDocument(path(u"broken.txt"_s)));
    QCOMPARE(editorText(), text);
    QCOMPARE(m_prompter.asked().size(), 1);
    const PromptRecord &warning = m_prompter.asked().first();
    QCOMPARE(warning.text, u"\"%1\" には %2 として読めない部分が %3 か所あり、「\uFFFD」で表示しています。"
                           u"\r\nこのまま保存すると、その部分は「?」になります。"_s
                               .arg(path(u"broken.txt"_s), encoding)
                               .arg(broken));
    QCOMPARE(warning.caption, u"読み込みの確認"_s);
    QCOMPARE(warning.icon, MsgIcon::Warning);
}

void TestDocumentFiles::utf8WithoutMarkIsReadAsUtf8AndTold()
{
    put(path(u"utf8.txt"_s), "<-\xE2\x97\x86\xE8\xA6\x8B\xE5\x87\xBA\xE3\x81\x97\r\n\xE6\x9C\xAC\xE6\x96\x87\r\n");
    QVERIFY(Form1->LoadDocument(path(u"utf8.txt"_s)));
    QCOMPARE(editorText(), u"<-◆見出し\n本文\n"_s);
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked()[0].text,
             u"\"%1\" は UTF-8 で書かれていたので、UTF-8 として読み込みました。\r\n保存するときは Shift-JIS で書き込みます。"_s
                 .arg(path(u"utf8.txt"_s)));
    QCOMPARE(m_prompter.asked()[0].caption, u"読み込みの確認"_s);
    // Saved as every roll is.
    m_prompter.answer(path(u"utf8-saved.txt"_s));
    QVERIFY(Form1->SaveDocumentWithDialog());
    QCOMPARE(contents(path(u"utf8-saved.txt"_s)), QByteArray("<-\x81\x9F\x8C\xA9\x8F\x6F\x82\xB5\r\n\x96\x7B\x95\xB6\r\n"));
}

void TestDocumentFiles::richTextCopiesOpenAsTheirRoll_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("roll");
    // Whatever the name: a copy renamed by the user is still a copy, and the
    // document filter would only show its markup or fail.
    QTest::newRow("autosave copy") << u"一時保存2012-09-02-134501.txt"_s << u"<-◆見出し\n講師／本文\n"_s;
    QTest::newRow("suspend file, no final break") << u"作業一時保存.txt"_s << u"一行\n\n三行"_s;
    QTest::newRow("renamed to .rtf") << u"copy.rtf"_s << u"　字下げ\n"_s;
    QTest::newRow("no extension") << u"backup"_s << u"a\\b{c}"_s;
}

void TestDocumentFiles::richTextCopiesOpenAsTheirRoll()
{
    QFETCH(QString, name);
    QFETCH(QString, roll);
    put(path(name), rollToRtf(roll.split(u'\n'), Form1->commentKinds()));
    SetChasen->xdoc2txt->setText(u"/nonexistent/filter"_s); // never asked
    const bool loaded = Form1->LoadDocument(path(name));
    QFile::remove(path(name)); // a suspend file left here would be offered at every later start
    QVERIFY(loaded);
    QCOMPARE(editorText(), roll);
    QVERIFY(m_prompter.asked().isEmpty());
}

void TestDocumentFiles::inputAssistLoadShowsTheStatusALoadShows()
{
    put(path(u"prepared.txt"_s), "\x96\x7B\x95\xB6\r\n\x93\xF1\x8D\x73\x96\xDA\r\n");
    Form1->RichEdit1->setPlainText(u"別のロール\nもう一行\n三行目"_s);
    Form1->setStatusText(QString());
    RollInput->setFiles({path(u"prepared.txt"_s)});
    RollInput->FileList->setCurrentRow(0);
    RollInput->FileListDblClick();
    QCOMPARE(editorText(), u"本文\n二行目\n"_s);
    // As after Open: the caret at the roll's start, and the status of caret and size.
    const QString shown = Form1->statusText();
    QVERIFY(shown.startsWith(u"1行 "_s));
    Form1->updateCaretStatus();
    QCOMPARE(shown, Form1->statusText());
}

void TestDocumentFiles::saveWritesTheRollFile()
{
    Form1->RichEdit1->setPlainText(u"<-◆見出し\n田中／本文\n"_s);
    m_prompter.answer(path(u"first"_s)); // a bare name gets ".txt"
    QVERIFY(Form1->SaveDocumentWithDialog());
    m_prompter.answer(path(u"second.sl1"_s));
    Form1->findChild<QAction *>(u"Saveas1"_s)->trigger();

    const QByteArray expected("<-\x81\x9F\x8C\xA9\x8F\x6F\x82\xB5\r\n\x93\x63\x92\x86\x81\x5E\x96\x7B\x95\xB6\r\n");
    QCOMPARE(contents(path(u"first.txt"_s)), expected);
    QCOMPARE(contents(path(u"second.sl1"_s)), expected);
    QCOMPARE(m_prompter.asked().size(), 2);
    const PromptRecord &dialog = m_prompter.asked().first();
    QCOMPARE(dialog.kind, PromptRecord::SaveFile);
    QCOMPARE(dialog.caption, u"ファイルを保存する"_s);
    QCOMPARE(dialog.defaultText, kSaveFilter);
    QCOMPARE(dialog.text, u"untitled.txt"_s);
    // The dialog offers the last chosen name next time.
    QCOMPARE(m_prompter.asked().at(1).text, path(u"first.txt"_s));
}

void TestDocumentFiles::saveDialogStartsWhereTheRollIs_data()
{
    // Steps "open:NAME" and "save:NAME" under the test folder, then the name
    // the save dialog offers ("%1" for the test folder).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("nothing opened: the working folder") << QStringList() << u"untitled.txt"_s;
    QTest::newRow("opened: the roll's folder")
        << QStringList{u"open:in/roll.txt"_s} << u"%1/in/untitled.txt"_s;
    QTest::newRow("saved elsewhere, then opened: the last name in the roll's folder")
        << QStringList{u"save:out/kept.txt"_s, u"open:in/roll.txt"_s} << u"%1/in/kept.txt"_s;
    QTest::newRow("opened, then saved elsewhere: where it was saved")
        << QStringList{u"open:in/roll.txt"_s, u"save:out/kept.txt"_s} << u"%1/out/kept.txt"_s;
}

void TestDocumentFiles::saveDialogStartsWhereTheRollIs()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, proposed);
    QVERIFY(QDir(m_dir.path()).mkpath(u"in"_s) && QDir(m_dir.path()).mkpath(u"out"_s));
    put(path(u"in/roll.txt"_s), "A\r\n");
    for (const QString &step : steps) {
        const QString target = path(step.section(u':', 1));
        if (step.startsWith(u"open:"_s)) {
            QVERIFY(Form1->LoadDocument(target));
        } else {
            m_prompter.answer(target);
            QVERIFY(Form1->SaveDocumentWithDialog());
        }
    }
    m_prompter.clear();
    QVERIFY(!Form1->SaveDocumentWithDialog()); // cancelled
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text, proposed.arg(m_dir.path()));
}

void TestDocumentFiles::saveAsksBeforeLosingCharacters_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("yes: saved with ?") << int(MsgResult::Yes) << QByteArray("?\x96\xEC\x89\xC6 ?\r\n");
    QTest::newRow("no: the old file stays") << int(MsgResult::No) << QByteArray("old\r\n");
}

void TestDocumentFiles::saveAsksBeforeLosingCharacters()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, file);
    put(path(u"roll.txt"_s), "old\r\n");
    Form1->RichEdit1->setPlainText(u"𠮷野家 ♫"_s);
    m_prompter.answer(path(u"roll.txt"_s));
    m_prompter.answer(MsgResult(answer));
    QCOMPARE(Form1->SaveDocumentWithDialog(), answer == int(MsgResult::Yes));
    QCOMPARE(contents(path(u"roll.txt"_s)), file);
    QCOMPARE(editorText(), u"𠮷野家 ♫"_s);
    const PromptRecord &question = m_prompter.asked().last();
    QCOMPARE(question.text, u"次の文字は Shift-JIS で保存できないため、「?」に置き換わります。\r\n\r\n"
                            u"「𠮷」(U+20BB7)\r\n「♫」(U+266B)\r\n\r\nこのまま保存しますか？"_s);
    QCOMPARE(question.caption, u"保存の確認"_s);
    QCOMPARE(question.icon, MsgIcon::Question);
    QCOMPARE(question.buttons, MsgButtons::YesNo);
}

void TestDocumentFiles::failedSaveKeepsOldFileAndRoll()
{
    // The target is a folder: the rename cannot replace it, and nothing else
    // in the folder changes.
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"taken.txt/inside"_s);
    put(dir.filePath(u"old.txt"_s), "old\r\n");
    Form1->RichEdit1->setPlainText(u"新しい本文"_s);
    m_prompter.answer(dir.filePath(u"taken.txt"_s));
    QVERIFY(!Form1->SaveDocumentWithDialog());
    QCOMPARE(editorText(), u"新しい本文"_s);
    QCOMPARE(contents(dir.filePath(u"old.txt"_s)), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"old.txt"_s});
    const PromptRecord &error = m_prompter.asked().last();
    QCOMPARE(error.text, u"ファイル \"%1\" を保存できません。\r\n同じ名前のフォルダがあります。"_s.arg(dir.filePath(u"taken.txt"_s)));
    QCOMPARE(error.caption, kErrorCaption);
    QCOMPARE(error.icon, MsgIcon::Error);
}

void TestDocumentFiles::closeWithFailedSaveStaysOpen()
{
    Form1->show();
    Form1->RichEdit1->setPlainText(u"本文"_s);
    m_prompter.answer(MsgResult::Yes);
    m_prompter.answer(path(u"no-such-folder/roll.txt"_s));
    QSignalSpy closed(Form1, &TForm1::closed);
    Form1->close();
    QCOMPARE(closed.count(), 0);
    QVERIFY(Form1->isVisible());
    QCOMPARE(editorText(), u"本文"_s);
    QCOMPARE(m_prompter.asked().last().text,
             u"ファイル \"%1\" を保存できません。\r\n保存先のフォルダがありません。"_s.arg(path(u"no-such-folder/roll.txt"_s)));
}

void TestDocumentFiles::newCommand_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariantList>("answers");
    QTest::addColumn<int>("asked");
    QTest::addColumn<bool>("emptied");
    QTest::addColumn<bool>("saved");
    QTest::newRow("empty roll: no question") << QString() << QVariantList{} << 0 << true << false;
    QTest::newRow("no: emptied unsaved")
        << u"本文"_s << QVariantList{int(MsgResult::No)} << 1 << true << false;
    QTest::newRow("cancel: kept") << u"本文"_s << QVariantList{int(MsgResult::Cancel)} << 1 << false << false;
    QTest::newRow("yes, dialog cancelled: kept")
        << u"本文"_s << QVariantList{int(MsgResult::Yes), QString()} << 2 << false << false;
    QTest::newRow("yes, saved: emptied")
        << u"本文"_s << QVariantList{int(MsgResult::Yes), u"saved.txt"_s} << 2 << true << true;
}

void TestDocumentFiles::newCommand()
{
    QFETCH(QString, text);
    QFETCH(QVariantList, answers);
    QFETCH(int, asked);
    QFETCH(bool, emptied);
    QFETCH(bool, saved);
    Form1->RichEdit1->setPlainText(text);
    for (const QVariant &a : answers)
        m_prompter.answer(a);
    Form1->findChild<QAction *>(u"New1"_s)->trigger();
    QCOMPARE(editorText(), emptied ? QString() : text);
    QCOMPARE(m_prompter.asked().size(), asked);
    if (asked > 0) {
        QCOMPARE(m_prompter.asked().first().text, u"現在のデータを保存しますか？"_s);
        QCOMPARE(m_prompter.asked().first().caption, u"破棄の確認"_s);
        QCOMPARE(m_prompter.asked().first().buttons, MsgButtons::YesNoCancel);
    }
    QCOMPARE(QFile::exists(path(u"saved.txt"_s)), saved);
    if (saved)
        QCOMPARE(contents(path(u"saved.txt"_s)), QByteArray("\x96\x7B\x95\xB6\r\n"));
}

void TestDocumentFiles::documentWithShellCharactersIsOpenedNotRun()
{
    // Built into a command line for a shell, this name would run "touch".
    const QString name = u"a'b\"c & touch pwned; $(touch pwned2) `touch pwned3` x.docx"_s;
    QVERIFY(QFile::copy(kDocuments + u"/sample.docx"_s, path(name)));
    m_prompter.answer(path(name));
    Form1->O1Click();
    QCOMPARE(editorText(), kDocxText);
    QVERIFY(m_prompter.asked().size() == 1);
    const QString filterDir = QFileInfo(QStringLiteral(VELMAT_DOC2TXT)).absolutePath();
    for (const QString &dir : {m_dir.path(), filterDir})
        QCOMPARE(QDir(dir).entryList({u"pwned*"_s}), QStringList());
}

void TestDocumentFiles::filterFailureKeepsTheRoll_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MsgIcon>("icon");
    QTest::newRow("filter cannot start")
        << u"/no/such/filter"_s << u"sample.docx"_s
        << u"フィルタが起動できません。\r\nソフト(xdoc2txt)のインストールはされていますか？"_s << MsgIcon::None;
    QTest::newRow("filter fails on a damaged document")
        << QString() << u"damaged.docx"_s
        << u"文書をテキストに変換できませんでした。\r\nvelmat-doc2txt: 文書の word/document.xml が壊れています。"_s
        << MsgIcon::Error;
    // Read in part, but nothing of it to load: a failure like any other.
    const QString nothingRead = path(u"nothing-read"_s);
    put(nothingRead, "#!/bin/sh\necho '1 行目から先が読めません。' >&2\nexit 3\n");
    QFile::setPermissions(nothingRead, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QTest::newRow("filter read nothing before the damage")
        << nothingRead << u"sample.docx"_s
        << u"文書をテキストに変換できませんでした。\r\n1 行目から先が読めません。"_s << MsgIcon::Error;
    QTest::newRow("filter output past the size limit")
        << u"endless-filter"_s << u"sample.docx"_s
        << u"文書のテキストが大きすぎます。読み込めるのは 256 MiB までです。"_s << MsgIcon::Error;
}

void TestDocumentFiles::partlyReadDocumentIsLoadedWithAWarning_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("damage");
    QTest::newRow("part cut short") << u"truncated-part.docx"_s << u"前の段落\n途中で切れた\n"_s
                                    << u"velmat-doc2txt: 文書の word/document.xml は 4 行目から先が読めません"
                                       u"（Premature end of document.）。"_s;
    QTest::newRow("byte that is not UTF-8")
        << u"invalid-byte.docx"_s << u"前の段落\n壊れ?た字\n後の段落\n"_s
        << u"velmat-doc2txt: 文書の word/document.xml に UTF-8 として読めないバイトが 1 か所あり、「?」にしました。"_s;
}

void TestDocumentFiles::partlyReadDocumentIsLoadedWithAWarning()
{
    QFETCH(QString, document);
    QFETCH(QString, text);
    QFETCH(QString, damage);
    Form1->RichEdit1->setPlainText(u"前のロール"_s);
    const QString file = kDocuments + u'/' + document;
    QVERIFY(Form1->LoadDocument(file));
    QCOMPARE(editorText(), text);
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text,
             u"\"%1\" には読めない部分がありました。読めた文字だけを読み込んでいます。\r\n"_s.arg(file) + damage);
    QCOMPARE(m_prompter.asked().first().caption, u"読み込みの確認"_s);
    QCOMPARE(m_prompter.asked().first().icon, MsgIcon::Warning);
}

void TestDocumentFiles::filterFailureKeepsTheRoll()
{
    QFETCH(QString, filter);
    QFETCH(QString, document);
    QFETCH(QString, message);
    QFETCH(MsgIcon, icon);
    if (filter == u"endless-filter") {
        filter = path(filter);
        put(filter, "#!/bin/sh\nexec cat /dev/zero\n");
        QFile::setPermissions(filter, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (!filter.isEmpty())
        SetChasen->xdoc2txt->setText(filter);
    Form1->RichEdit1->setPlainText(u"大事なロール"_s);
    QVERIFY(!Form1->LoadDocument(kDocuments + u'/' + document));
    QCOMPARE(editorText(), u"大事なロール"_s);
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text, message);
    QCOMPARE(m_prompter.asked().first().caption, u"フィルタ実行"_s);
    QCOMPARE(m_prompter.asked().first().icon, icon);
}

void TestDocumentFiles::escapeStopsASlowFilter()
{
    const QString slow = path(u"slow-filter"_s);
    put(slow, "#!/bin/sh\nexec sleep 30\n");
    QFile::setPermissions(slow, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SetChasen->xdoc2txt->setText(slow);
    Form1->show();
    Form1->RichEdit1->setPlainText(u"大事なロール"_s);
    QStringList status;
    connect(Form1, &TForm1::statusTextChanged, this, [&status](const QString &t) { status << t; });
    QTimer::singleShot(300, Form1, [] { QTest::keyClick(Form1, Qt::Key_Escape); });
    QVERIFY(!Form1->LoadDocument(kDocuments + u"/sample.docx"_s));
    QCOMPARE(editorText(), u"大事なロール"_s);
    QVERIFY(m_prompter.asked().isEmpty());
    QVERIFY(status.contains(u"☆文書をテキストに変換中（Escで中止）・・・"_s));
    QCOMPARE(Form1->statusText(), u"☆読み込みを中止しました。"_s);
}

void TestDocumentFiles::dropLoadsFiles_data()
{
    QTest::addColumn<bool>("ontoEditor");
    QTest::newRow("onto the window") << false;
    QTest::newRow("onto the editor: no path inserted") << true;
}

void TestDocumentFiles::dropLoadsFiles()
{
    QFETCH(bool, ontoEditor);
    put(path(u"dropped.txt"_s), "\x97\x8E\x82\xBF\x82\xBD\r\n");
    Form1->show();
    Form1->RichEdit1->setPlainText(u"前のロール"_s);
    m_prompter.answer(MsgResult::No);
    dropOn(ontoEditor ? Form1->RichEdit1->viewport() : static_cast<QWidget *>(Form1),
           {path(u"dropped.txt"_s)});
    QTRY_COMPARE(editorText(), u"落ちた\n"_s);
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text, u"現在のデータを保存しますか？"_s);
}

void TestDocumentFiles::dropOfThreeStopsAtCancel()
{
    put(path(u"1.txt"_s), "one\r\n");
    put(path(u"2.txt"_s), "two\r\n");
    put(path(u"3.txt"_s), "three\r\n");
    Form1->show();
    m_prompter.answer(MsgResult::Cancel);
    dropOn(Form1, {path(u"1.txt"_s), path(u"2.txt"_s), path(u"3.txt"_s)});
    QTRY_COMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(editorText(), u"one\n"_s);
}

void TestDocumentFiles::commandLineDocumentIsFiltered()
{
    // A relative name on the command line: the filter runs in its own folder,
    // so it must get the full path.
    QVERIFY(QFile::copy(kDocuments + u"/sample.docx"_s, path(u"start.docx"_s)));
    Form1->setCommandLineFile(u"start.docx"_s);
    Form1->show();
    QTRY_COMPARE(Form1->statusText(), u"☆起動完了"_s);
    QTRY_VERIFY(!Form1->Timer1->isActive());
    QCOMPARE(editorText(), kDocxText);
}

QTEST_MAIN(TestDocumentFiles)
#include "tst_documentfiles.moc"
