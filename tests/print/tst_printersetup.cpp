// The print settings window and the main window's print commands.
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrintDialogs.h"
#include "platform/ScriptedPrompter.h"
#include "print/CurrentPrinter.h"
#include "print/TSetPrinterSetup.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace Qt::StringLiterals;

class TestPrinterSetup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void choosingAPrinterMakesItCurrent();
    void setupDialogMovesTheChoice_data();
    void setupDialogMovesTheChoice();
    void settingsRoundTrip();
    void menuCommandsPrintTheRoll_data();
    void menuCommandsPrintTheRoll();
    void jobsAreNamedAfterTheRollsFile();

private:
    // A settings window over `printer`, its lists filled as at start-up.
    void fill(TSetPrinterSetup &window);

    ScriptedPrompter m_prompter;
    ScriptedPrintDialogs m_dialogs;
    FixedPrinterCatalog m_printers{{u"Office"_s, u"Label"_s}, u"Office"_s};
    QTemporaryDir m_dir;
};

void TestPrinterSetup::init()
{
    m_prompter.clear();
    m_dialogs.clear();
    Prompter::install(&m_prompter);
    PrintDialogs::install(&m_dialogs);
    PrinterCatalog::install(&m_printers);
}

void TestPrinterSetup::cleanup()
{
    Prompter::install(nullptr);
    PrintDialogs::install(nullptr);
    PrinterCatalog::install(nullptr);
}

void TestPrinterSetup::fill(TSetPrinterSetup &window)
{
    window.PrinterName->addItems(m_printers.printerNames());
    window.PrinterName->setCurrentIndex(0);
    window.PrintFont->addItems({u"ＭＳ ゴシック"_s, u"ＭＳ 明朝"_s});
    window.PrintFont->setCurrentIndex(0);
}

void TestPrinterSetup::choosingAPrinterMakesItCurrent()
{
    CurrentPrinter printer;
    TSetPrinterSetup window(printer);
    fill(window);
    window.PrinterName->setCurrentIndex(1);
    Q_EMIT window.PrinterName->activated(1);
    QCOMPARE(printer.selected(), u"Label"_s);
}

void TestPrinterSetup::setupDialogMovesTheChoice_data()
{
    QTest::addColumn<std::optional<QString>>("chosen");
    QTest::addColumn<QString>("selected");
    QTest::newRow("a listed printer") << std::optional<QString>(u"Label"_s) << u"Label"_s;
    QTest::newRow("cancelled") << std::optional<QString>() << u"Office"_s;
    QTest::newRow("a file") << std::optional<QString>(QString()) << u"Office"_s;
    QTest::newRow("a printer not listed") << std::optional<QString>(u"Elsewhere"_s) << u"Office"_s;
}

void TestPrinterSetup::setupDialogMovesTheChoice()
{
    QFETCH(std::optional<QString>, chosen);
    QFETCH(QString, selected);
    CurrentPrinter printer;
    TSetPrinterSetup window(printer);
    fill(window);
    m_dialogs.answerSetup(chosen);
    QTest::mouseClick(window.Button1, Qt::LeftButton);
    QCOMPARE(m_dialogs.setupsShown(), 1);
    QCOMPARE(window.PrinterName->currentText(), selected);
    if (chosen)
        QCOMPARE(printer.selected(), selected);
}

void TestPrinterSetup::settingsRoundTrip()
{
    CurrentPrinter printer;
    TSetPrinterSetup window(printer);
    fill(window);
    const PrintSetup stored{.printer = u"Label"_s, .font = u"ＭＳ 明朝"_s, .points = 12, .columns = 3};
    window.applySettings(stored);
    QCOMPARE(window.settings(), stored);
    QCOMPARE(printer.selected(), u"Label"_s);

    // Names without an entry leave the selection; numbers are kept in range.
    window.applySettings({.printer = u"Gone"_s, .font = u"Gone"_s, .points = 500, .columns = 9});
    QCOMPARE(window.settings(), (PrintSetup{.printer = u"Label"_s, .font = u"ＭＳ 明朝"_s, .points = 100, .columns = 5}));
}

void TestPrinterSetup::menuCommandsPrintTheRoll_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("status");
    QTest::newRow("Standard1") << u"Standard1"_s << u"印刷データ送信終了"_s;
    QTest::newRow("Extend1") << u"Extend1"_s << u"印刷データ送信終了"_s;
    QTest::newRow("N10") << u"N10"_s << u"☆起動完了"_s; // titles say nothing
}

void TestPrinterSetup::menuCommandsPrintTheRoll()
{
    QFETCH(QString, command);
    QFETCH(QString, status);
    createAppWindows();
    Form1->show();
    QTRY_COMPARE(Form1->statusText(), u"☆起動完了"_s);
    QTRY_VERIFY(!Form1->Timer1->isActive());
    Form1->RichEdit1->setPlainText(u"<-◆第一部\n司会／開会します。\n"_s);

    Form1->findChild<QAction *>(u"Print1"_s)->trigger();
    QVERIFY(SetPrinterSetup->isVisible());
    SetPrinterSetup->PrintDiv->setValue(2);

    const QString pdf = m_dir.filePath(command + u".pdf"_s);
    m_prompter.answer(pdf);
    Form1->findChild<QAction *>(command)->trigger();
    QCOMPARE(m_dialogs.previewCaptions().size(), 1);
    QVERIFY(QFile(pdf).size() > 0);
    QCOMPARE(Form1->statusText(), status);
    destroyAppWindows();
}

void TestPrinterSetup::jobsAreNamedAfterTheRollsFile()
{
    createAppWindows();
    Form1->show();
    QTRY_COMPARE(Form1->statusText(), u"☆起動完了"_s);
    QTRY_VERIFY(!Form1->Timer1->isActive());
    // The name the PDF dialog offers is the job's name.
    const auto offeredName = [this](const QString &command) {
        m_prompter.clear();
        m_prompter.answer(m_dir.filePath(u"out.pdf"_s));
        Form1->findChild<QAction *>(command)->trigger();
        return m_prompter.asked().isEmpty() ? QString() : m_prompter.asked().first().text;
    };

    const QString opened = m_dir.filePath(u"講演会.txt"_s);
    QFile file(opened);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<-\x81\x9f\x91\xe6\x88\xea\x95\x94\r\n"); // <-◆第一部 in Shift-JIS
    file.close();
    QVERIFY(Form1->LoadDocument(opened));
    QCOMPARE(offeredName(u"Standard1"_s), u"講演会.pdf"_s);
    QCOMPARE(offeredName(u"N10"_s), u"講演会 タイトル.pdf"_s);

    m_prompter.clear();
    m_prompter.answer(m_dir.filePath(u"第二回.txt"_s));
    QVERIFY(Form1->SaveDocumentWithDialog());
    QCOMPARE(offeredName(u"Extend1"_s), u"第二回.pdf"_s);

    m_prompter.clear();
    m_prompter.answer(MsgResult::No); // not saved before the new roll
    Form1->findChild<QAction *>(u"New1"_s)->trigger();
    Form1->RichEdit1->setPlainText(u"一行\n"_s);
    QCOMPARE(offeredName(u"Standard1"_s), u"前ロール.pdf"_s);
    destroyAppWindows();
}

QTEST_MAIN(TestPrinterSetup)
#include "tst_printersetup.moc"
