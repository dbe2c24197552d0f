// The Help menu and the about box: the manual the build makes, opened in the
// program's own help window at the section each item asks for.
#include "app/AppWindows.h"
#include "app/HelpManual.h"
#include "app/Remain.h"
#include "app/TAboutBox.h"
#include "app/THelpWindow.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

namespace {

const QString kBuiltManual = QStringLiteral(VELMAT_MANUAL_BUILD_DIR) + u"/index.html"_s;

// The text of the block at the top of the browser's view.
QString topBlockText(QTextBrowser *browser)
{
    return browser->cursorForPosition(QPoint(4, 4)).block().text();
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void manualIsFoundInTheBuildTree();
    void everyLinkInTheManualLeadsToItsSection();
    void searchFolders_data();
    void searchFolders();
    void helpItemsOpenTheManualAtTheirSection_data();
    void helpItemsOpenTheManualAtTheirSection();
    void missingManualSaysWhereItLooked();
    void findInTheManual_data();
    void findInTheManual();
    void aboutBoxNamesEachAcknowledgement_data();
    void aboutBoxNamesEachAcknowledgement();

private:
    THelpWindow *helpWindow() const { return Form1->findChild<THelpWindow *>(); }

    ScriptedPrompter m_prompter;
    FixedPrinterCatalog m_noPrinters;
};

void TestHelp::init()
{
    m_prompter.clear();
    Prompter::install(&m_prompter);
    PrinterCatalog::install(&m_noPrinters);
    qputenv("VELMAT_MANUAL_DIR", VELMAT_MANUAL_BUILD_DIR);
    createAppWindows();
}

void TestHelp::cleanup()
{
    destroyAppWindows();
    qunsetenv("VELMAT_MANUAL_DIR");
    Prompter::install(nullptr);
    PrinterCatalog::install(nullptr);
}

void TestHelp::manualIsFoundInTheBuildTree()
{
    qunsetenv("VELMAT_MANUAL_DIR");
    const QString found = findManual(manualSearchFolders(QStringLiteral(VELMAT_PROGRAM_DIR)));
    QCOMPARE(QFileInfo(found).canonicalFilePath(), QFileInfo(kBuiltManual).canonicalFilePath());
    QFile page(found);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    // The sections the program opens at, and a screenshot copied beside it.
    QVERIFY(html.contains(u"name=\"troubleshooting\""_s));
    QVERIFY(html.contains(u"name=\"contents\""_s));
    QVERIFY(html.contains(u"トラブルシューティング"_s));
    QVERIFY(QFileInfo::exists(QDir(QFileInfo(found).path()).filePath(u"screenshot-main.png"_s)));
}

void TestHelp::everyLinkInTheManualLeadsToItsSection()
{
    QFile page(kBuiltManual);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    QStringList links;
    for (const QRegularExpressionMatch &m : QRegularExpression(u"href=\"#([^\"]+)\""_s).globalMatch(html))
        links << m.captured(1);
    QVERIFY(links.size() > 10);
    for (const QString &link : std::as_const(links))
        QVERIFY2(html.contains(u"name=\"%1\""_s.arg(link)), qPrintable(link));
    // Followed in the help window, a link shows its section at the top.
    Form1->findChild<QAction *>(u"Manual1"_s)->trigger();
    QTextBrowser *browser = helpWindow()->Browser;
    browser->setSource(browser->source().resolved(QUrl(u"#files"_s)));
    QTRY_COMPARE(topBlockText(browser), u"ファイルの置き場所"_s);
}

void TestHelp::searchFolders_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("folders");
    QTest::newRow("installed") << QString() << u"/usr/bin"_s
                               << QStringList{u"/usr/share/doc/velmat/manual"_s, u"/usr/manual"_s};
    QTest::newRow("built") << QString() << u"/src/build/app"_s
                           << QStringList{u"/src/build/share/doc/velmat/manual"_s, u"/src/build/manual"_s};
    QTest::newRow("chosen first") << u"/tmp/m/"_s << u"/opt/v/bin"_s
                                  << QStringList{u"/tmp/m"_s, u"/opt/v/share/doc/velmat/manual"_s,
                                                 u"/opt/v/manual"_s};
}

void TestHelp::searchFolders()
{
    QFETCH(QString, chosen);
    QFETCH(QString, program);
    QFETCH(QStringList, folders);
    if (chosen.isEmpty())
        qunsetenv("VELMAT_MANUAL_DIR");
    else
        qputenv("VELMAT_MANUAL_DIR", chosen.toLocal8Bit());
    QCOMPARE(manualSearchFolders(program), folders);
}

void TestHelp::helpItemsOpenTheManualAtTheirSection_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QString>("topText");
    QTest::newRow("manual") << QStringList{u"Manual1"_s} << QString() << u"Velmat 利用者マニュアル"_s;
    QTest::newRow("support") << QStringList{u"SupportSite1"_s} << u"troubleshooting"_s
                             << u"トラブルシューティング"_s;
    // The window already shows the page: each item still goes to its place.
    QTest::newRow("support, then manual") << QStringList{u"SupportSite1"_s, u"Manual1"_s} << QString()
                                          << u"Velmat 利用者マニュアル"_s;
    QTest::newRow("manual, then support") << QStringList{u"Manual1"_s, u"SupportSite1"_s}
                                          << u"troubleshooting"_s << u"トラブルシューティング"_s;
}

void TestHelp::helpItemsOpenTheManualAtTheirSection()
{
    // The manual item once always failed (no manual was built), and the
    // support item only showed the about box.
    QFETCH(QStringList, items);
    QFETCH(QString, fragment);
    QFETCH(QString, topText);
    Form1->show();
    for (const QString &item : items)
        Form1->findChild<QAction *>(item)->trigger();

    QVERIFY(m_prompter.asked().isEmpty());
    QVERIFY(!AboutBox->isVisible());
    THelpWindow *help = helpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Browser->source().adjusted(QUrl::RemoveFragment), QUrl::fromLocalFile(kBuiltManual));
    QCOMPARE(help->Browser->source().fragment(), fragment);
    QTRY_COMPARE(topBlockText(help->Browser), topText);
    QCOMPARE(Form1->findChildren<THelpWindow *>().size(), 1);
}

void TestHelp::missingManualSaysWhereItLooked()
{
    QTemporaryDir empty;
    qputenv("VELMAT_MANUAL_DIR", empty.path().toLocal8Bit());
    QStringList searched;
    for (const QString &folder : manualSearchFolders(QCoreApplication::applicationDirPath()))
        searched << QDir::toNativeSeparators(folder + u"/index.html"_s);
    QVERIFY(searched.first().startsWith(QDir::toNativeSeparators(empty.path())));

    Form1->findChild<QAction *>(u"Manual1"_s)->trigger();
    QCOMPARE(m_prompter.asked().size(), 1);
    const PromptRecord &told = m_prompter.asked().first();
    QCOMPARE(told.text, u"マニュアルが見つかりません。次の場所を探しました。\r\n"_s + searched.join(u"\r\n"_s));
    QCOMPARE(told.caption, u"マニュアル"_s);
    QCOMPARE(told.icon, MsgIcon::Warning);
    QVERIFY(!helpWindow());
}

void TestHelp::findInTheManual_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("result");
    QTest::newRow("a word") << u"Velmat_SysError.Log"_s << true << QString();
    QTest::newRow("Japanese") << u"作業一時保存"_s << true << QString();
    QTest::newRow("nowhere") << u"存在しない語ｘｙｚ"_s << false << u"「存在しない語ｘｙｚ」は見つかりません。"_s;
}

void TestHelp::findInTheManual()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(QString, result);
    Form1->findChild<QAction *>(u"SupportSite1"_s)->trigger();
    THelpWindow *help = helpWindow();
    QVERIFY(help);
    help->FindText->setText(text);
    QCOMPARE(help->findNext(), found);
    QCOMPARE(help->FindResult->text(), result);
    if (found) {
        QCOMPARE(help->Browser->textCursor().selectedText(), text);
        // Round the end back to the first place, forward and backward.
        const int first = help->Browser->textCursor().selectionStart();
        bool wrapped = false;
        for (int i = 0; i < 100 && !wrapped; ++i) {
            QVERIFY(help->findNext());
            wrapped = help->Browser->textCursor().selectionStart() == first;
        }
        QVERIFY(wrapped);
        QVERIFY(help->findNext(true));
        QCOMPARE(help->Browser->textCursor().selectedText(), text);
    }
}

void TestHelp::aboutBoxNamesEachAcknowledgement_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("Qt") << QStringList{u"Qt 6"_s, u"LGPL-3.0"_s};
    QTest::newRow("ChaSen") << QStringList{u"ChaSen"_s};
    QTest::newRow("IPAdic") << QStringList{u"IPAdic"_s};
    QTest::newRow("ICU") << QStringList{u"ICU"_s};
    QTest::newRow("IPA fonts") << QStringList{u"IPA フォント"_s, u"IPA Font License"_s};
    QTest::newRow("East Asian Width") << QStringList{u"EastAsianWidth-5.1.0.txt"_s, u"Unicode"_s};
    QTest::newRow("kanji tables") << QStringList{u"学年別漢字配当表"_s, u"常用漢字表"_s, u"JIS X 0208"_s};
    QTest::newRow("MeCab") << QStringList{u"MeCab"_s, u"BSD / LGPL / GPL"_s};
    QTest::newRow("Wine") << QStringList{u"Wine"_s, u"LGPL-2.1+"_s};
    QTest::newRow("poppler") << QStringList{u"poppler"_s};
}

void TestHelp::aboutBoxNamesEachAcknowledgement()
{
    QFETCH(QStringList, names);
    Form1->findChild<QAction *>(u"About1"_s)->trigger();
    QVERIFY(AboutBox->isVisible());
    QVERIFY(AboutBox->findChild<QLabel *>(u"Version"_s)->text().endsWith(QStringLiteral(VELMAT_VERSION)));
    QVERIFY(AboutBox->History->toPlainText().contains(QStringLiteral(VELMAT_VERSION)));
    const QString licences = AboutBox->Licences->toPlainText();
    for (const QString &name : names)
        QVERIFY2(licences.contains(name), qPrintable(name));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
