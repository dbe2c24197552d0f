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

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
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
        m_prompter.answer(remove ? MsgResult::Yes : MsgResult::No);
        Form1->Restore1Click();
        QCOMPARE(editorText(), kRoll);
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked()[0].text, u"作業を復帰しました。\r\n\r\nいま読み出した作業ファイルを消しますか？"_s);
        QCOMPARE(m_prompter.asked()[0].caption, u"作業保存データの消去確認"_s);
        QCOMPARE(QFile::exists(u"作業一時保存.txt"_s), !remove);
        QCOMPARE(QFile::exists(u"作業一時保存.ini"_s), !remove);
        // The history starts from the resumed roll.
        Form1->Undo1Click();
        QCOMPARE(editorText(), kRoll);
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
        Form1->AutoSaveTimerTimer();
        QCOMPARE(autosaveCopies(other).size(), 2);
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

    void backupHistoryShowsOldestFirst()
    {
        for (const auto &[name, text] : {std::pair{u"一時保存2012-09-02-134501.txt"_s, "{\\rtf1 old}"},
                                         std::pair{u"一時保存2011-01-01-000000.txt"_s, "{\\rtf1 older}"},
                                         std::pair{u"other.txt"_s, "x"}}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
            file.flush();
            if (name.startsWith(u"一時保存2011"_s))
                QVERIFY(file.setFileTime(QDateTime(QDate(2011, 1, 1), QTime(0, 0, 2)), QFileDevice::FileModificationTime));
        }
        Form1->BackupFormClick();
        QCOMPARE(BackupLoader->windowTitle(), u"バックアップ履歴"_s);
        QCOMPARE(itemTexts(BackupLoader->FileListBox1),
                 QStringList({u"一時保存2011-01-01-000000.txt"_s, u"一時保存2012-09-02-134501.txt"_s}));
        BackupLoader->FileListBox1->setCurrentRow(0);
        QCOMPARE(BackupLoader->Memo1->toPlainText(), u"{\\rtf1 older}"_s); // as stored
        // 2011-01-01 00:00:02 as a packed DOS stamp: (31 << 9 | 1 << 5 | 1) << 16 | 1.
        QCOMPARE(BackupLoader->StatusBar1->text(), QString::number((31 << 9 | 1 << 5 | 1) << 16 | 1));
        QVERIFY(BackupLoader->Memo1->isReadOnly());
    }

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_oldCwd;
    ScriptedPrompter m_prompter;
    FixedPrinterCatalog m_noPrinters;
};

QTEST_MAIN(TestWorkSuspend)
#include "tst_worksuspend.moc"
