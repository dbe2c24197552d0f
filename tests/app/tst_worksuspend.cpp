// Suspend, resume, the autosave tick and the backup history, driven through
// the main window's slots with scripted answers, in a folder of their own.
#include "app/AppWindows.h"
#include "app/DocumentFiles.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "app/WorkSuspend.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"
#include "roll/RollRtf.h"
#include "settings/AutosaveFiles.h"
#include "settings/TBackupLoader.h"
#include "platform/TextFile.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kRoll = u"<-◆第一部\n講師／皆さん、　こんにちは。\n今日は漢字の話です。"_s;

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString rollIn(const QString &path) { return rollFromFileBytes(contents(path)).text; }

QString editorText() { return Form1->RichEdit1->toPlainText(); }

// Types `text` as the whole roll, recorded as a user's edit would be.
void typeRoll(const QString &text)
{
    Form1->RichEdit1->selectAll();
    Form1->RichEdit1->insertPlainText(text);
    Form1->RichEdit1Change();
}

} // namespace

class TestWorkSuspend : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_oldCwd = QDir::currentPath();
        Prompter::install(&m_prompter);
        PrinterCatalog::install(&m_noPrinters);
    }
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        QDir::setCurrent(m_dir->path());
        m_prompter.clear();
        createAppWindows();
        Form1->show();
        QTRY_COMPARE(Form1->statusText(), u"☆起動完了"_s);
        Form1->Timer1->stop();
        m_prompter.clear();
    }
    void cleanup()
    {
        destroyAppWindows();
        QDir::setCurrent(m_oldCwd);
        m_dir.reset();
    }

    void suspendWritesBothAndNoKeepsTheFirst()
    {
        typeRoll(kRoll);
        m_prompter.answer(MsgResult::No); // go on working
        Form1->Break1Click();
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked()[0].text, u"このままエディタを終了しますか？"_s);
        QCOMPARE(m_prompter.asked()[0].caption, u"終了の確認"_s);
        QCOMPARE(m_prompter.asked()[0].buttons, MsgButtons::YesNoCancel);
        QVERIFY(QFile::exists(u"作業一時保存.ini"_s));
        QVERIFY(contents(u"作業一時保存.txt"_s).startsWith("{\\rtf1"));
        QCOMPARE(rollIn(u"作業一時保存.txt"_s), kRoll);

        typeRoll(u"別の文"_s);
        m_prompter.clear();
        m_prompter.answer(MsgResult::No); // do not overwrite
        Form1->Break1Click();
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked()[0].text, u"過去に作業状態を保存しています。上書きしてもいいですか？"_s);
        QCOMPARE(m_prompter.asked()[0].caption, u"作業復帰"_s);
        QCOMPARE(rollIn(u"作業一時保存.txt"_s), kRoll);
        QVERIFY(Form1->isVisible());
    }

    void suspendAndExit()
    {
        typeRoll(kRoll);
        m_prompter.answer(MsgResult::Yes); // end now
        Form1->Break1Click();
        QVERIFY(!Form1->isVisible()); // no closing question
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(rollIn(u"作業一時保存.txt"_s), kRoll);
    }

    void resume_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::newRow("files deleted") << true;
        QTest::newRow("files kept") << false;
    }
    void resume()
    {
        QFETCH(bool, remove);
        typeRoll(kRoll);
        m_prompter.answer(MsgResult::No);
        Form1->Break1Click();
        typeRoll(u"中断の後に書いた文"_s);

        m_prompter.clear();
        m_prompter.answer(MsgResult::No); // the roll in the editor need not be saved
        m_prompter.answer(remove ? MsgResult::Yes : MsgResult::No);
        Form1->Restore1Click();
        QCOMPARE(editorText(), kRoll);
        QCOMPARE(m_prompter.asked().size(), 2);
        QCOMPARE(m_prompter.asked()[0].text, u"現在のデータを保存しますか？"_s);
        QCOMPARE(m_prompter.asked()[0].caption, u"破棄の確認"_s);
        QCOMPARE(m_prompter.asked()[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(m_prompter.asked()[1].text, u"作業を復帰しました。\r\n\r\nいま読み出した作業ファイルを消しますか？"_s);
        QCOMPARE(m_prompter.asked()[1].caption, u"作業保存データの消去確認"_s);
        QCOMPARE(QFile::exists(u"作業一時保存.txt"_s), !remove);
        QCOMPARE(QFile::exists(u"作業一時保存.ini"_s), !remove);
        // The roll it replaced is one Undo away.
        Form1->Undo1Click();
        QCOMPARE(editorText(), u"中断の後に書いた文"_s);
        Form1->Redo1Click();
        QCOMPARE(editorText(), kRoll);
    }

    void resumeCancelledAtTheSaveQuestionChangesNothing()
    {
        typeRoll(kRoll);
        m_prompter.answer(MsgResult::No);
        Form1->Break1Click();
        typeRoll(u"中断の後に書いた文"_s);
        Form1->AutoSave1->trigger(); // a setting the suspend file does not hold
        m_prompter.clear();
        m_prompter.answer(MsgResult::Cancel);
        Form1->Restore1Click();
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(editorText(), u"中断の後に書いた文"_s);
        QVERIFY(Form1->AutoSave1->isChecked()); // the settings were not loaded either
        QVERIFY(QFile::exists(u"作業一時保存.txt"_s));
    }

    void damagedSuspendFileIsToldAndKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QByteArray whole = rollToRtf({u"一行目"_s, u"二行目"_s}, CommentKinds{});
        QTest::newRow("cut short") << whole.left(whole.indexOf("\\par\r\n") + 6) << u"一行目\n"_s
                                   << u"作業ファイルが途中で切れていました。"_s;
        QByteArray huge = rollToRtf({u"ab一cd"_s, u"ef"_s}, CommentKinds{});
        huge.replace("\\uc1", "\\uc1000000");
        QTest::newRow("fallback count that swallows the rest of a line")
            << huge << u"ab一\nef"_s << u"作業ファイルが壊れていました（読めない部分が 1 か所）。"_s;
        QByteArray nul = whole;
        nul.replace("\\u19968?", "\\u0?");
        QTest::newRow("NUL") << nul << u"\uFFFD行目\n二行目"_s
                             << u"作業ファイルが壊れていました（読めない部分が 1 か所）。"_s;
    }
    void damagedSuspendFileIsToldAndKept()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, message);
        writeTestFile(u"作業一時保存.txt"_s, bytes);
        Form1->Restore1Click();
        QCOMPARE(editorText(), text);
        // Told as a warning, and never offered for deletion.
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked()[0].text,
                 message + u"読めた部分だけを復帰しています。\r\n"_s + QDir(m_dir->path()).filePath(u"作業一時保存.txt"_s));
        QCOMPARE(m_prompter.asked()[0].icon, MsgIcon::Warning);
        QVERIFY(QFile::exists(u"作業一時保存.txt"_s));
    }

    void oversizedSuspendFileIsRefused()
    {
        typeRoll(kRoll);
        QFile huge(u"作業一時保存.txt"_s);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(kTextInputLimit + 1)); // sparse: no disk used
        huge.close();
        Form1->Restore1Click();
        QCOMPARE(editorText(), kRoll);
        QCOMPARE(m_prompter.asked().size(), 1);
        QVERIFY(m_prompter.asked()[0].text.contains(u"ファイルが大きすぎます。読み込めるのは 256 MiB までです。"_s));
        QCOMPARE(m_prompter.asked()[0].icon, MsgIcon::Error);
    }

    void resumeTakesPlainText()
    {
        QFile file(u"作業一時保存.txt"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x8A\xBF\x8E\x9A\r\n<-\x83\x81\x83\x82\r\n"); // 漢字 / <-メモ in Shift-JIS
        file.close();
        m_prompter.answer(MsgResult::No);
        Form1->Restore1Click();
        QCOMPARE(editorText(), u"漢字\n<-メモ\n"_s);
    }

    void resumeWithoutTheRollChangesNothing()
    {
        typeRoll(kRoll);
        Form1->Restore1Click();
        QCOMPARE(editorText(), kRoll);
        QCOMPARE(m_prompter.asked().size(), 1);
        QVERIFY(m_prompter.asked()[0].text.startsWith(u"作業ファイル \""_s));
        QCOMPARE(m_prompter.asked()[0].icon, MsgIcon::Error);
        QVERIFY(contents(u"Velmat_SysError.Log"_s).contains("EFOpenError"));
    }

    void autosaveGoesWhereTheRollWasOpened()
    {
        QVERIFY(QDir(m_dir->path()).mkpath(u"elsewhere"_s));
        const QString other = m_dir->filePath(u"elsewhere"_s);
        QFile roll(other + u"/roll.txt"_s);
        QVERIFY(roll.open(QIODevice::WriteOnly));
        roll.write("\x8A\xBF\x8E\x9A\r\n");
        roll.close();
        QVERIFY(Form1->LoadDocument(roll.fileName()));

        Form1->AutoSaveTimerTimer();
        QCOMPARE(Form1->statusText(), u"★オートセーブしました。"_s);
        QVERIFY(QFile::exists(other + u"/作業一時保存.ini"_s));
        const QStringList copies = autosaveCopies(other);
        QCOMPARE(copies.size(), 1);
        QVERIFY(QRegularExpression(u"^一時保存\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.txt$"_s).match(copies[0]).hasMatch());
        QCOMPARE(rollIn(other + u'/' + copies[0]), u"漢字\n"_s); // as the roll ends
        QVERIFY(autosaveCopies(m_dir->path()).isEmpty());

        // A second tick in the same second does not overwrite the first copy.
        typeRoll(u"書き足した"_s);
        Form1->AutoSaveTimerTimer();
        QCOMPARE(autosaveCopies(other).size(), 2);
    }

    void unchangedRollMakesNoCopy()
    {
        typeRoll(kRoll);
        Form1->AutoSaveTimerTimer();
        Form1->AutoSaveTimerTimer();
        QCOMPARE(autosaveCopies(m_dir->path()).size(), 1);
        QCOMPARE(Form1->statusText(), u"★前回のオートセーブから変更はありません。"_s);
        typeRoll(kRoll + u"。"_s);
        Form1->AutoSaveTimerTimer();
        QCOMPARE(autosaveCopies(m_dir->path()).size(), 2);
        QCOMPARE(Form1->statusText(), u"★オートセーブしました。"_s);

        // A copy left by an earlier run is compared by its bytes.
        for (const QString &name : autosaveCopies(m_dir->path()))
            QVERIFY(QFile::remove(name));
        writeTestFile(u"一時保存2000-01-01-000000.txt"_s,
                      rollToRtf(editorText().split(u'\n'), Form1->commentKinds()));
        Form1->AutoSaveTimerTimer();
        QCOMPARE(autosaveCopies(m_dir->path()), QStringList{u"一時保存2000-01-01-000000.txt"_s});
        // So is a copy deleted meanwhile: the roll is written again.
        QVERIFY(QFile::remove(u"一時保存2000-01-01-000000.txt"_s));
        Form1->AutoSaveTimerTimer();
        QCOMPARE(autosaveCopies(m_dir->path()).size(), 1);
    }

    void autosaveKeepsTheNewestHundred()
    {
        const QByteArray copy = rollToRtf({u"古い"_s}, CommentKinds{});
        QStringList own;
        for (int i = 0; i < 104; ++i) {
            const QString name = u"一時保存2000-01-01-00%1.txt"_s.arg(i, 4, 10, QChar(u'0'));
            writeTestFile(name, copy);
            own << name;
        }
        // Named like a copy but holding the user's own text; and another name.
        writeTestFile(u"一時保存1999-12-31-235959.txt"_s, "my notes");
        writeTestFile(u"一時保存メモ.txt"_s, copy);
        typeRoll(kRoll);
        Form1->AutoSaveTimerTimer();
        const QStringList left = autosaveCopies(m_dir->path());
        QVERIFY(left.contains(u"一時保存1999-12-31-235959.txt"_s));
        QVERIFY(left.contains(u"一時保存メモ.txt"_s));
        // The new copy and the newest 99 of the old ones.
        for (const QString &gone : own.mid(0, 5))
            QVERIFY2(!left.contains(gone), qPrintable(gone));
        for (const QString &kept : own.mid(5))
            QVERIFY2(left.contains(kept), qPrintable(kept));
        QCOMPARE(left.size(), 2 + 99 + 1);
    }

    void emptyRollIsAutosavedEmpty()
    {
        Form1->AutoSaveTimerTimer();
        const QStringList copies = autosaveCopies(m_dir->path());
        QCOMPARE(copies.size(), 1);
        const RollFromFile read = rollFromFileBytes(contents(copies[0]));
        QVERIFY(read.complete);
        QCOMPARE(read.text, QString());
    }

    void unwritableFolderIsToldOnce()
    {
        typeRoll(kRoll);
        QVERIFY(QDir(m_dir->path()).mkpath(u"作業一時保存.ini"_s)); // the settings cannot be written
        for (int tick = 0; tick < 3; ++tick)
            Form1->AutoSaveTimerTimer();
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked()[0].icon, MsgIcon::Error);
        QVERIFY(Form1->statusText().startsWith(u"★オートセーブできませんでした："_s));
        QCOMPARE(contents(u"Velmat_SysError.Log"_s).count("ESettingsWrite"), 3); // every failure logged
        QVERIFY(autosaveCopies(m_dir->path()).isEmpty());

        // Writable again: the next tick works and a later failure is told again.
        QVERIFY(QDir(m_dir->path()).rmdir(u"作業一時保存.ini"_s));
        Form1->AutoSaveTimerTimer();
        QCOMPARE(Form1->statusText(), u"★オートセーブしました。"_s);
        QVERIFY(QFile::remove(u"作業一時保存.ini"_s));
        QVERIFY(QDir(m_dir->path()).mkpath(u"作業一時保存.ini"_s));
        Form1->AutoSaveTimerTimer();
        QCOMPARE(m_prompter.asked().size(), 2);
    }

    void autosaveMarkAndTimerAgree()
    {
        Form1->AutoSave1->trigger();
        QVERIFY(Form1->AutoSave1->isChecked());
        QVERIFY(Form1->AutoSaveTimer->isActive());
        QCOMPARE(Form1->AutoSaveTimer->interval(), 120000);
        Form1->AutoSave1->trigger();
        QVERIFY(!Form1->AutoSaveTimer->isActive());
    }

    void backupHistoryShowsTheRollsAndTakesOneUp()
    {
        const QString older = u"<-◆古い見出し\n古い本文\n"_s;
        writeTestFile(u"一時保存2012-09-02-134501.txt"_s, rollToRtf({u"新しい"_s}, CommentKinds{}));
        writeTestFile(u"一時保存2011-01-01-000000.txt"_s, rollToRtf(older.split(u'\n'), CommentKinds{}));
        writeTestFile(u"other.txt"_s, "x");
        QFile file(u"一時保存2011-01-01-000000.txt"_s);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(QDate(2011, 1, 1), QTime(0, 0, 2)), QFileDevice::FileModificationTime));
        file.close();

        Form1->BackupFormClick();
        QCOMPARE(BackupLoader->windowTitle(), u"バックアップ履歴"_s);
        QCOMPARE(itemTexts(BackupLoader->FileListBox1),
                 QStringList({u"一時保存2011-01-01-000000.txt"_s, u"一時保存2012-09-02-134501.txt"_s}));
        QVERIFY(!BackupLoader->LoadButton->isEnabled());
        BackupLoader->FileListBox1->setCurrentRow(0);
        QCOMPARE(BackupLoader->Memo1->toPlainText(), older); // the roll, not its markup
        QCOMPARE(BackupLoader->StatusBar1->text(), u"保存日時：2011/01/01 00:00:02"_s);
        QVERIFY(BackupLoader->Memo1->isReadOnly());

        typeRoll(u"今のロール"_s);
        m_prompter.answer(MsgResult::No);
        BackupLoader->LoadButton->click();
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked()[0].text, u"現在のデータを保存しますか？"_s);
        QCOMPARE(editorText(), older);
        Form1->Undo1Click();
        QCOMPARE(editorText(), u"今のロール"_s);

        // Cancel keeps the roll.
        m_prompter.clear();
        m_prompter.answer(MsgResult::Cancel);
        BackupLoader->LoadButton->click();
        QCOMPARE(editorText(), u"今のロール"_s);
    }

    void startupGoesOnPastAnOversizedSettingsFile()
    {
        destroyAppWindows();
        QVERIFY(QFile::link(u"/dev/zero"_s, u"自動読み込み.ini"_s));
        writeTestFile(u"作業一時保存.txt"_s, rollToRtf(kRoll.split(u'\n'), CommentKinds{}));
        m_prompter.clear();
        m_prompter.answer(MsgResult::Ok);  // the settings could not be read
        m_prompter.answer(MsgResult::Yes); // resume
        m_prompter.answer(MsgResult::No);  // keep the suspend files
        createAppWindows();
        Form1->show();
        QTRY_COMPARE(Form1->statusText(), u"☆起動完了"_s);
        QCOMPARE(m_prompter.asked().size(), 3);
        QCOMPARE(m_prompter.asked()[0].text,
                 u"設定ファイルを読み込めませんでした。\r\n自動読み込み.ini\r\n"
                 u"ファイルが大きすぎます。設定やリストのファイルとして読めるのは 16 MiB までです。"_s);
        QCOMPARE(m_prompter.asked()[1].text, u"前回、作業途中でした。作業状態を復帰しますか？"_s);
        QCOMPARE(editorText(), kRoll);
    }

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_oldCwd;
    ScriptedPrompter m_prompter;
    FixedPrinterCatalog m_noPrinters;
};

QTEST_MAIN(TestWorkSuspend)
#include "tst_worksuspend.moc"
