// The print commands against a bare roll, printing to PDF files (no printer
// is installed) that poppler's pdftotext and pdftoppm read back.
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrintDialogs.h"
#include "platform/ScriptedPrompter.h"
#include "print/CurrentPrinter.h"
#include "print/PagePainter.h"
#include "print/PrintCommands.h"
#include "support/PlainRoll.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kQuestion = u"1行の文字列が枠組み時にはみ出ます。印字を続行しますか？\r\n\r\n"
                          u"(「ツール→整形」にある改行機能で整えると問題は解決します）"_s;
const QStringList kPrintedStatuses{u"プリンター準備中・・・"_s, u"印刷前の確認をしています・・・"_s,
                                   u"印刷データ送信中・・・"_s, u"印刷データ送信終了"_s};
const QStringList kStoppedStatuses{u"プリンター準備中・・・"_s, u"印刷前の確認をしています・・・"_s,
                                   u"印刷中止しました"_s};

QByteArray run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qFatal("%s failed (poppler-utils installed?): %s", qPrintable(program), p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

// The text of each page, laid out as printed.
QStringList pdfPages(const QString &pdf)
{
    QStringList pages = QString::fromUtf8(run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s})).split(u'\f');
    pages.removeLast(); // after the last page's form feed
    return pages;
}

// Page `page` rendered in grey levels without smoothing, so that every pixel
// is the colour painted there; `crop` in pixels at `dpi` (empty: the page).
QImage pdfImage(const QString &pdf, int page, int dpi, QRect crop = {})
{
    QStringList args{u"-gray"_s, u"-aa"_s, u"no"_s, u"-aaVector"_s, u"no"_s, u"-r"_s, QString::number(dpi),
                     u"-f"_s, QString::number(page), u"-l"_s, QString::number(page)};
    if (!crop.isEmpty())
        args << u"-x"_s << QString::number(crop.x()) << u"-y"_s << QString::number(crop.y()) << u"-W"_s
             << QString::number(crop.width()) << u"-H"_s << QString::number(crop.height());
    args << pdf;
    return QImage::fromData(run(u"pdftoppm"_s, args), "PGM");
}

int countPixels(const QImage &image, int from, int to)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) >= from && qGray(image.pixel(x, y)) <= to;
    return n;
}

// The most dark pixels in one row of the image.
int darkestRow(const QImage &image)
{
    int most = 0;
    for (int y = 0; y < image.height(); ++y) {
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 128;
        most = std::max(most, n);
    }
    return most;
}

QStringList words(const QString &line)
{
    return line.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts);
}

// The first row of a page's text that holds `word`.
QString rowWith(const QString &page, const QString &word)
{
    for (const QString &row : page.split(u'\n')) {
        if (words(row).contains(word))
            return row;
    }
    return {};
}

QString numberedLine(int n)
{
    return u"L%1"_s.arg(n, 3, 10, QChar(u'0'));
}

QString rollOf(int count, const QString &first = {})
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << (i == 1 && !first.isEmpty() ? first : numberedLine(i));
    return lines.join(u'\n');
}

} // namespace

Q_DECLARE_METATYPE(PrintStyle)

class TestPrintCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void rollPrintsToTheNamedPdf_data();
    void rollPrintsToTheNamedPdf();
    void widthQuestion_data();
    void widthQuestion();
    void questionMeasuresTheFrame_data();
    void questionMeasuresTheFrame();
    void splitColumnsOnPaper();
    void commentsAreGreyOnlyWhenSplit();
    void exactFillEndsOnThatPage_data();
    void exactFillEndsOnThatPage();
    void emptyRollGivesABlankSheet();
    void keptBack_data();
    void keptBack();
    void unwritableFileIsReported();
    void titlesPrintTheCommentLines();
    void titlesWithoutCommentsGiveABlankSheet();
    void jobIsNamedAfterTheRollFile_data();
    void jobIsNamedAfterTheRollFile();

private:
    // Prints the roll with the commands and the present settings; the PDF's path.
    QString print(PlainRoll &roll, PrintStyle style);
    // Lines a column holds on the PDF sheet with the present settings.
    int slotsPerColumn();
    // Pixels of the PDF's printable area and the print font's widths there.
    PageMetrics pdfMetrics();

    ScriptedPrompter m_prompter;
    ScriptedPrintDialogs m_dialogs;
    FixedPrinterCatalog m_noPrinters;
    QTemporaryDir m_dir;
    PrintSetup m_setup;
    int m_runs = 0;
};

void TestPrintCommands::init()
{
    m_prompter.clear();
    m_dialogs.clear();
    Prompter::install(&m_prompter);
    PrintDialogs::install(&m_dialogs);
    PrinterCatalog::install(&m_noPrinters);
    m_setup = {};
}

void TestPrintCommands::cleanup()
{
    Prompter::install(nullptr);
    PrintDialogs::install(nullptr);
    PrinterCatalog::install(nullptr);
}

QString TestPrintCommands::print(PlainRoll &roll, PrintStyle style)
{
    const QString pdf = m_dir.filePath(u"run%1.pdf"_s.arg(++m_runs));
    m_prompter.answer(pdf);
    PrintCommands commands(roll, [this] { return m_setup; });
    if (style == PrintStyle::Titles)
        commands.printTitles();
    else
        commands.printRoll(style);
    return pdf;
}

PageMetrics TestPrintCommands::pdfMetrics()
{
    CurrentPrinter printer;
    return pageMetrics(printer.printer(), printFont(m_setup), printer.printableArea(), printer.sheet());
}

int TestPrintCommands::slotsPerColumn()
{
    const PageMetrics m = pdfMetrics();
    int slots = 1;
    while (300 + slots * m.lineHeight + m.lineHeight < m.page.height() - 200)
        ++slots;
    return slots;
}

void TestPrintCommands::rollPrintsToTheNamedPdf_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::newRow("standard") << PrintStyle::Standard;
    QTest::newRow("split") << PrintStyle::Split;
}

void TestPrintCommands::rollPrintsToTheNamedPdf()
{
    QFETCH(PrintStyle, style);
    PlainRoll roll(u"<-◆第一部\n司会／ただいまより開会します。\n\n佐藤／こんにちは。\n"_s);
    const QString pdf = print(roll, style);

    QCOMPARE(roll.statusTexts, kPrintedStatuses);
    QCOMPARE(m_dialogs.previewCaptions(), QStringList{u"印刷プレビュー"_s});
    QCOMPARE(m_prompter.asked().size(), 1);
    const PromptRecord &dialog = m_prompter.asked().first();
    QCOMPARE(dialog.kind, PromptRecord::SaveFile);
    QCOMPARE(dialog.caption, u"PDFファイルに印刷"_s);
    QCOMPARE(dialog.defaultText, u"PDFファイル(*.pdf) (*.pdf)"_s);

    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    for (const QString &text : {u"Page.1"_s, u"<-◆第一部"_s, u"司会／ただいまより開会します。"_s, u"佐藤／こんにちは。"_s})
        QVERIFY2(pages.first().contains(text), qPrintable(pages.first()));
}

void TestPrintCommands::widthQuestion_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<MsgResult>("answer");
    QTest::addColumn<QStringList>("statuses");
    // The standard layout used to leave "…確認をしています・・・" standing after
    // No, as if the check were still running.
    QTest::newRow("standard, No") << PrintStyle::Standard << MsgResult::No << kStoppedStatuses;
    QTest::newRow("split, No") << PrintStyle::Split << MsgResult::No << kStoppedStatuses;
    QTest::newRow("standard, Yes") << PrintStyle::Standard << MsgResult::Yes << kPrintedStatuses;
    QTest::newRow("split, Yes") << PrintStyle::Split << MsgResult::Yes << kPrintedStatuses;
}

void TestPrintCommands::widthQuestion()
{
    QFETCH(PrintStyle, style);
    QFETCH(MsgResult, answer);
    QFETCH(QStringList, statuses);
    // Wider than the frame, still on the sheet.
    const QString wide(52, u'ー');
    PlainRoll roll(u"短い行\n"_s + wide + u"\n"_s);
    const QString pdf = m_dir.filePath(u"wide.pdf"_s);
    m_prompter.answer(answer);
    m_prompter.answer(pdf);
    PrintCommands(roll, [this] { return m_setup; }).printRoll(style);

    const PromptRecord &question = m_prompter.asked().first();
    QCOMPARE(question.text, kQuestion);
    QCOMPARE(question.caption, u"チェック"_s);
    QCOMPARE(question.icon, MsgIcon::Information);
    QCOMPARE(question.buttons, MsgButtons::YesNo);
    QCOMPARE(roll.statusTexts, statuses);
    const bool printed = answer == MsgResult::Yes;
    QCOMPARE(m_dialogs.previewCaptions().size(), printed ? 1 : 0);
    QCOMPARE(QFile::exists(pdf), printed);
    if (printed) // the over-wide line printed whole, running past its frame
        QVERIFY(pdfPages(pdf).first().contains(wide));
}

void TestPrintCommands::questionMeasuresTheFrame_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<int>("columns");
    QTest::newRow("standard") << PrintStyle::Standard << 1;
    QTest::newRow("split, one column") << PrintStyle::Split << 1;
    QTest::newRow("split, three columns") << PrintStyle::Split << 3;
}

void TestPrintCommands::questionMeasuresTheFrame()
{
    // The check once allowed 200 pixels (standard) or 50 (split) past the
    // frame's edge; a line that runs past its frame is now asked about, one
    // that ends inside it is not.
    QFETCH(PrintStyle, style);
    QFETCH(int, columns);
    m_setup.columns = columns;
    const PageMetrics m = pdfMetrics();
    const int frameRight = style == PrintStyle::Standard ? m.page.width() - 200
                                                          : 200 + (m.page.width() - 400) / columns;
    const int textX = style == PrintStyle::Standard ? 400 : 250;
    QString inside;
    while (m.textWidth(inside + u'ー') <= frameRight - textX)
        inside += u'ー';

    PlainRoll fits(inside);
    print(fits, style);
    QCOMPARE(m_prompter.asked().first().kind, PromptRecord::SaveFile);

    m_prompter.clear();
    PlainRoll pastTheFrame(inside + u'ー');
    m_prompter.answer(MsgResult::No);
    print(pastTheFrame, style);
    QCOMPARE(m_prompter.asked().first().text, kQuestion);
}

void TestPrintCommands::splitColumnsOnPaper()
{
    // Four columns' worth with three a page: page 1 has three framed
    // columns side by side, page 2 one.
    m_setup.columns = 3;
    const int slots = slotsPerColumn();
    PlainRoll roll(rollOf(3 * slots + 1));
    const QString pdf = print(roll, PrintStyle::Split);

    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 2);
    QCOMPARE(words(rowWith(pages.at(0), numberedLine(1))),
             (QStringList{numberedLine(1), numberedLine(slots + 1), numberedLine(2 * slots + 1)}));
    QCOMPARE(words(rowWith(pages.at(0), numberedLine(slots))),
             (QStringList{numberedLine(slots), numberedLine(2 * slots), numberedLine(3 * slots)}));
    QCOMPARE(words(rowWith(pages.at(1), numberedLine(3 * slots + 1))), QStringList{numberedLine(3 * slots + 1)});
    QVERIFY(pages.at(0).contains(u"Page.1"_s));
    QVERIFY(pages.at(1).contains(u"Page.2"_s));
    QVERIFY(!pages.at(1).contains(u"Page.1"_s));

    // The frames' top edges at 600 dpi, 5 mm (118 pixels) below the sheet's
    // edge: as long as the framed columns together.
    const PageMetrics m = pdfMetrics();
    const int columnWidth = (m.page.width() - 400) / 3;
    const QRect frameTop(0, 118 + 300 - 6, 4961, 12);
    QVERIFY(qAbs(darkestRow(pdfImage(pdf, 1, 600, frameTop)) - 3 * columnWidth) <= 4);
    QVERIFY(qAbs(darkestRow(pdfImage(pdf, 2, 600, frameTop)) - columnWidth) <= 4);
}

void TestPrintCommands::commentsAreGreyOnlyWhenSplit()
{
    PlainRoll roll(u"<-◆第一部\n本文です\n"_s);
    const QString split = print(roll, PrintStyle::Split);
    const QString standard = print(roll, PrintStyle::Standard);
    QVERIFY(countPixels(pdfImage(split, 1, 50), 185, 200) > 20);
    QCOMPARE(countPixels(pdfImage(standard, 1, 50), 185, 200), 0);
}

void TestPrintCommands::exactFillEndsOnThatPage_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<int>("extra");
    QTest::addColumn<int>("pages");
    QTest::newRow("standard, exact fill") << PrintStyle::Standard << 0 << 1;
    QTest::newRow("standard, one more") << PrintStyle::Standard << 1 << 2;
    QTest::newRow("split, exact fill") << PrintStyle::Split << 0 << 1;
    QTest::newRow("split, one more") << PrintStyle::Split << 1 << 2;
}

void TestPrintCommands::exactFillEndsOnThatPage()
{
    QFETCH(PrintStyle, style);
    QFETCH(int, extra);
    QFETCH(int, pages);
    const int slots = slotsPerColumn();
    PlainRoll roll(rollOf(slots + extra));
    const QStringList printed = pdfPages(print(roll, style));
    QCOMPARE(printed.size(), pages);
    QVERIFY(printed.first().contains(numberedLine(slots)));
    QVERIFY(printed.last().contains(u"Page.%1"_s.arg(pages)));
}

void TestPrintCommands::emptyRollGivesABlankSheet()
{
    PlainRoll roll;
    const QString pdf = print(roll, PrintStyle::Split);
    QCOMPARE(roll.statusTexts, kPrintedStatuses);
    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first().trimmed(), QString());
    const QImage sheet = pdfImage(pdf, 1, 30);
    QCOMPARE(countPixels(sheet, 255, 255), sheet.width() * sheet.height());
}

void TestPrintCommands::keptBack_data()
{
    QTest::addColumn<bool>("previewSends");
    QTest::addColumn<int>("dialogsAsked");
    QTest::newRow("preview kept back") << false << 0;
    QTest::newRow("no file named") << true << 1;
}

void TestPrintCommands::keptBack()
{
    QFETCH(bool, previewSends);
    QFETCH(int, dialogsAsked);
    m_dialogs.answerPreview(previewSends);
    m_prompter.answer(QString());
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    PlainRoll roll(u"一行\n"_s);
    PrintCommands(roll, [this] { return m_setup; }).printRoll(PrintStyle::Standard);
    QCOMPARE(roll.statusTexts, kStoppedStatuses);
    QCOMPARE(m_prompter.asked().size(), dialogsAsked);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
}

void TestPrintCommands::unwritableFileIsReported()
{
    const QString pdf = m_dir.filePath(u"no-such-folder/roll.pdf"_s);
    m_prompter.answer(pdf);
    PlainRoll roll(u"一行\n"_s);
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    PrintCommands(roll, [this] { return m_setup; }).printRoll(PrintStyle::Standard);
    const PromptRecord &error = m_prompter.asked().last();
    QCOMPARE(error.text, u"PDFファイルに書き込めません。\r\n"_s + pdf);
    QCOMPARE(error.caption, u"印刷"_s);
    QCOMPARE(error.icon, MsgIcon::Error);
    QCOMPARE(roll.statusTexts.last(), u"印刷できませんでした"_s);
}

void TestPrintCommands::titlesPrintTheCommentLines()
{
    QStringList lines(120, u"本文"_s);
    lines[2] = u"<-◆第一部"_s;
    lines[60] = u"<-"_s + QString(300, u'ー'); // wider than the frame: printed, nothing asked
    lines[119] = u"<-●休憩"_s;
    PlainRoll roll(lines.join(u'\n'));
    const QString pdf = print(roll, PrintStyle::Titles);

    QVERIFY(roll.statusTexts.isEmpty());
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().kind, PromptRecord::SaveFile);
    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages.first().contains(u"00003 ： ◆第一部"_s));
    QVERIFY(pages.first().contains(u"00061 ： ーーー"_s));
    QVERIFY(pages.first().contains(u"00120 ： ●休憩"_s));
    QVERIFY(pages.first().contains(u"Page.1"_s));
    QVERIFY(!pages.first().contains(u"本文"_s));
}

void TestPrintCommands::titlesWithoutCommentsGiveABlankSheet()
{
    PlainRoll roll(u"本文\n司会／はい\n"_s);
    const QString pdf = print(roll, PrintStyle::Titles);
    QVERIFY(roll.statusTexts.isEmpty());
    QCOMPARE(pdfPages(pdf), QStringList{QString()});
}

void TestPrintCommands::jobIsNamedAfterTheRollFile_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<QString>("rollFile");
    QTest::addColumn<QString>("job");
    const QString file = QDir::tempPath() + u"/講演会 第2回.txt"_s;
    QTest::newRow("roll from a file") << PrintStyle::Standard << file << u"講演会 第2回"_s;
    QTest::newRow("split, from a file") << PrintStyle::Split << file << u"講演会 第2回"_s;
    QTest::newRow("titles, from a file") << PrintStyle::Titles << file << u"講演会 第2回 タイトル"_s;
    QTest::newRow("roll, never saved") << PrintStyle::Standard << QString() << u"前ロール"_s;
    QTest::newRow("titles, never saved") << PrintStyle::Titles << QString() << u"タイトル"_s;
}

void TestPrintCommands::jobIsNamedAfterTheRollFile()
{
    // Jobs once went out without a name: queues showed none and a PDF
    // printer called its files job_N.
    QFETCH(PrintStyle, style);
    QFETCH(QString, rollFile);
    QFETCH(QString, job);
    PlainRoll roll(u"<-◆第一部\n本文\n"_s);
    const QString pdf = m_dir.filePath(u"named.pdf"_s);
    m_prompter.answer(pdf);
    PrintCommands commands(roll, [this] { return m_setup; }, [&] { return rollFile; });
    if (style == PrintStyle::Titles)
        commands.printTitles();
    else
        commands.printRoll(style);

    QCOMPARE(m_prompter.asked().first().text, job + u".pdf"_s); // the file name offered
    const QString info = QString::fromUtf8(run(u"pdfinfo"_s, {pdf}));
    const QRegularExpressionMatch title = QRegularExpression(u"^Title:\\s+(.*)$"_s,
                                                             QRegularExpression::MultilineOption).match(info);
    QVERIFY2(title.hasMatch(), qPrintable(info));
    QCOMPARE(title.captured(1), job);
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
