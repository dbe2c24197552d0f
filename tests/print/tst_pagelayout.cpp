// The page layout against fixed metrics, where every position can be
// worked out by hand, and the painter on an image.
#include "print/PageLayout.h"
#include "print/PagePainter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The metrics of an A4 sheet at `dpi` with `margin` millimetres the printer
// cannot reach, in the print font of `points` (real font measures at that
// resolution).
PageMetrics a4Metrics(int dpi, int points, qreal margin = 5)
{
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter device(&sink);
    device.setResolution(dpi);
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(margin, margin, margin, margin),
                             QPageLayout::Millimeter);
    device.setPageLayout(layout);
    const QRect area = layout.paintRectPixels(dpi);
    const QRect sheet = layout.fullRectPixels(dpi).translated(-area.topLeft());
    return pageMetrics(device, printFont({.printer = {}, .font = {}, .points = points, .columns = 1}), area.size(),
                       sheet);
}

// A rectangle of the printable area in millimetres from the sheet's corner.
QRectF onSheet(const QRect &r, const PageMetrics &m)
{
    const qreal k = 25.4 / m.dpiX;
    return {(r.x() - m.sheet.x()) * k, (r.y() - m.sheet.y()) * k, r.width() * k, r.height() * k};
}

// A 2500 × 3000 page, lines 100 high, 40 pixels a character: 24 slots a
// column (the 25th line's bottom would reach the frame's bottom at 2800),
// split columns of (2500 - 400) / 3 = 700.
constexpr int kSlots = 24;
PageMetrics fixedMetrics(qreal lineHeight = 100)
{
    return {.page = QSize(2500, 3000), .lineHeight = lineHeight,
            .textWidth = [](const QString &text) { return int(text.size()) * 40; }};
}

QStringList numbered(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << u"L%1"_s.arg(i, 3, 10, QChar(u'0'));
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(PrintStyle)

class TestPageLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void geometry_data();
    void geometry();
    void commentShading_data();
    void commentShading();
    void columnsFillThenNextPage();
    void pageCount_data();
    void pageCount();
    void columnCountIsKeptInRange_data();
    void columnCountIsKeptInRange();
    void zeroLineHeightStillEndsPages();
    void sameMillimetresAtEveryResolution_data();
    void sameMillimetresAtEveryResolution();
    void pageNumberKeepsClearOfTheFrame_data();
    void pageNumberKeepsClearOfTheFrame();
    void titleEntries_data();
    void titleEntries();
    void printFontFallbacks();
    void painterDrawsBandsFramesAndNumber();
};

void TestPageLayout::geometry_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<int>("textX");
    QTest::addColumn<QPoint>("pageNumber");
    QTest::addColumn<int>("widest");
    // "Page.1" is 240 wide.
    const QRect whole(QPoint(200, 300), QPoint(2299, 2799));
    QTest::newRow("standard") << PrintStyle::Standard << 3 << whole << 400 << QPoint(2110, 180) << 1900;
    QTest::newRow("split, one column") << PrintStyle::Split << 1 << QRect(QPoint(200, 300), QPoint(2299, 2799))
                                       << 250 << QPoint(2060, 180) << 2050;
    QTest::newRow("split, three columns") << PrintStyle::Split << 3 << QRect(QPoint(200, 300), QPoint(899, 2799))
                                          << 250 << QPoint(2060, 180) << 650;
    // The number moves up, its band kept 10 pixels clear of the frame.
    QTest::newRow("titles") << PrintStyle::Titles << 3 << whole << 400 << QPoint(2000, 190) << 1900;
}

void TestPageLayout::geometry()
{
    QFETCH(PrintStyle, style);
    QFETCH(int, columns);
    QFETCH(QRect, frame);
    QFETCH(int, textX);
    QFETCH(QPoint, pageNumber);
    QFETCH(int, widest);
    const QList<PrintedPage> pages = layoutPages({u"あい"_s, u"b"_s}, style, columns, fixedMetrics());
    QCOMPARE(pages.size(), 1);
    const PrintedPage &page = pages.first();
    QCOMPARE(page.frames, QList<QRect>{frame});
    QCOMPARE(page.lines.at(0).band, QRect(textX, 300, 80, 100));
    QCOMPARE(page.lines.at(1).band, QRect(textX, 400, 40, 100));
    QCOMPARE(page.pageNumber, (PrintedText{u"Page.1"_s, QRect(pageNumber, QSize(240, 100)), Qt::white}));
    QCOMPARE(widestLineAllowed(style, columns, fixedMetrics()), widest);
}

void TestPageLayout::commentShading_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QColor>("background");
    QTest::newRow("split comment") << PrintStyle::Split << u"<-◆第一部"_s << kCommentShade;
    QTest::newRow("split bare marker") << PrintStyle::Split << u"<-"_s << kCommentShade;
    QTest::newRow("split caption") << PrintStyle::Split << u"司会／開会します"_s << QColor(Qt::white);
    QTest::newRow("split, blank before marker") << PrintStyle::Split << u" <-メモ"_s << QColor(Qt::white);
    QTest::newRow("standard comment") << PrintStyle::Standard << u"<-◆第一部"_s << QColor(Qt::white);
}

void TestPageLayout::commentShading()
{
    QFETCH(PrintStyle, style);
    QFETCH(QString, line);
    QFETCH(QColor, background);
    const QList<PrintedPage> pages = layoutPages({line}, style, 2, fixedMetrics());
    QCOMPARE(pages.first().lines.first().background, background);
    QCOMPARE(pages.first().lines.first().text, line);
}

void TestPageLayout::columnsFillThenNextPage()
{
    // Four columns' worth (the fourth holds one line): page 1 has three
    // framed columns, page 2 one.
    const QList<PrintedPage> pages = layoutPages(numbered(3 * kSlots + 1), PrintStyle::Split, 3, fixedMetrics());
    QCOMPARE(pages.size(), 2);
    QCOMPARE(pages.at(0).frames.size(), 3);
    QCOMPARE(pages.at(0).frames.at(2), QRect(QPoint(1600, 300), QPoint(2299, 2799)));
    QCOMPARE(pages.at(1).frames, QList<QRect>{QRect(QPoint(200, 300), QPoint(899, 2799))});
    QCOMPARE(pages.at(0).pageNumber.text, u"Page.1"_s);
    QCOMPARE(pages.at(1).pageNumber.text, u"Page.2"_s);
    QCOMPARE(pages.at(1).number, 2);

    const QList<PrintedText> &first = pages.at(0).lines;
    QCOMPARE(first.size(), 3 * kSlots);
    QCOMPARE(first.at(kSlots - 1).band.topLeft(), QPoint(250, 300 + (kSlots - 1) * 100));
    // Every column and page begins at the top, its text inside its frame.
    QCOMPARE(first.at(kSlots).band.topLeft(), QPoint(950, 300));
    QCOMPARE(first.at(2 * kSlots).band.topLeft(), QPoint(1650, 300));
    QCOMPARE(pages.at(1).lines.size(), 1);
    QCOMPARE(pages.at(1).lines.first().band.topLeft(), QPoint(250, 300));
    QCOMPARE(pages.at(1).lines.first().text, u"L073"_s);
}

void TestPageLayout::pageCount_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("onLastPage");
    QTest::newRow("empty roll") << PrintStyle::Standard << 0 << 0 << 0;
    QTest::newRow("one line") << PrintStyle::Standard << 1 << 1 << 1;
    QTest::newRow("exact fill") << PrintStyle::Standard << kSlots << 1 << kSlots;
    QTest::newRow("one over") << PrintStyle::Standard << kSlots + 1 << 2 << 1;
    QTest::newRow("two pages exactly") << PrintStyle::Standard << 2 * kSlots << 2 << kSlots;
    QTest::newRow("titles, exact fill") << PrintStyle::Titles << kSlots << 1 << kSlots;
    QTest::newRow("split, three columns exactly") << PrintStyle::Split << 3 * kSlots << 1 << 3 * kSlots;
}

void TestPageLayout::pageCount()
{
    QFETCH(PrintStyle, style);
    QFETCH(int, lines);
    QFETCH(int, pages);
    QFETCH(int, onLastPage);
    const QList<PrintedPage> laid = layoutPages(numbered(lines), style, 3, fixedMetrics());
    QCOMPARE(laid.size(), pages);
    if (pages > 0) {
        QCOMPARE(laid.last().lines.size(), onLastPage);
        QCOMPARE(laid.last().pageNumber.text, u"Page.%1"_s.arg(pages));
    }
}

void TestPageLayout::columnCountIsKeptInRange_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("framesOnFullPage");
    QTest::newRow("0 as 1") << 0 << 1;
    QTest::newRow("5") << 5 << 5;
    QTest::newRow("9 as 5") << 9 << 5;
}

void TestPageLayout::columnCountIsKeptInRange()
{
    QFETCH(int, columns);
    QFETCH(int, framesOnFullPage);
    const QList<PrintedPage> pages = layoutPages(numbered(5 * kSlots), PrintStyle::Split, columns, fixedMetrics());
    QCOMPARE(pages.first().frames.size(), framesOnFullPage);
}

void TestPageLayout::zeroLineHeightStillEndsPages()
{
    const QList<PrintedPage> pages = layoutPages(numbered(5000), PrintStyle::Standard, 1, fixedMetrics(0));
    QCOMPARE(pages.size(), 3); // 2499 one-pixel slots a page
    QCOMPARE(pages.at(0).lines.at(1).band.top(), 301);
}

void TestPageLayout::sameMillimetresAtEveryResolution_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<int>("points");
    QTest::addColumn<qreal>("margin"); // of the printers compared with the 600-dpi PDF sheet
    QTest::newRow("standard, 10 pt") << PrintStyle::Standard << 10 << 5.0;
    QTest::newRow("split, 10 pt") << PrintStyle::Split << 10 << 5.0;
    QTest::newRow("titles, 10 pt") << PrintStyle::Titles << 10 << 5.0;
    QTest::newRow("standard, 24 pt") << PrintStyle::Standard << 24 << 5.0;
    QTest::newRow("standard, narrower margins") << PrintStyle::Standard << 10 << 3.5;
    QTest::newRow("split, narrower margins") << PrintStyle::Split << 10 << 3.5;
}

void TestPageLayout::sameMillimetresAtEveryResolution()
{
    // A 1200-dpi printer once got narrow margins and more lines a page than
    // the 600-dpi sheet, a 300-dpi one wide margins and fewer; a printer
    // reaching nearer the sheet's edge moved the frame with it.
    QFETCH(PrintStyle, style);
    QFETCH(int, points);
    QFETCH(qreal, margin);
    const QStringList lines = numbered(300);
    const PageMetrics reference = a4Metrics(600, points);
    const QList<PrintedPage> expected = layoutPages(lines, style, 3, reference);
    const QRectF frame = onSheet(expected.first().frames.first(), reference);
    for (const int dpi : {300, 600, 1200}) {
        const PageMetrics metrics = a4Metrics(dpi, points, margin);
        const QList<PrintedPage> pages = layoutPages(lines, style, 3, metrics);
        QCOMPARE(pages.size(), expected.size());
        QCOMPARE(pages.first().lines.size(), expected.first().lines.size());
        const QRectF got = onSheet(pages.first().frames.first(), metrics);
        for (const qreal d : {got.left() - frame.left(), got.top() - frame.top(), got.right() - frame.right(),
                              got.bottom() - frame.bottom()})
            QVERIFY2(qAbs(d) <= 0.5, qPrintable(u"%1 dpi: %2 mm off"_s.arg(dpi).arg(d)));
        QVERIFY(qAbs(widestLineAllowed(style, 3, metrics) * 25.4 / dpi
                     - widestLineAllowed(style, 3, reference) * 25.4 / 600) <= 0.5);
    }
}

void TestPageLayout::pageNumberKeepsClearOfTheFrame_data()
{
    QTest::addColumn<PrintStyle>("style");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("points");
    for (const int dpi : {300, 600, 1200}) {
        QTest::addRow("standard, %d dpi", dpi) << PrintStyle::Standard << dpi << 10;
        QTest::addRow("split, %d dpi", dpi) << PrintStyle::Split << dpi << 10;
        QTest::addRow("titles, %d dpi", dpi) << PrintStyle::Titles << dpi << 10;
    }
    // Taller than the top margin: the frame gives way.
    QTest::newRow("standard, 60 pt") << PrintStyle::Standard << 600 << 60;
    QTest::newRow("titles, 100 pt") << PrintStyle::Titles << 1200 << 100;
}

void TestPageLayout::pageNumberKeepsClearOfTheFrame()
{
    QFETCH(PrintStyle, style);
    QFETCH(int, dpi);
    QFETCH(int, points);
    const PageMetrics metrics = a4Metrics(dpi, points);
    const QList<PrintedPage> pages = layoutPages(numbered(40), style, 2, metrics);
    for (const PrintedPage &page : pages) {
        const QRect number = page.pageNumber.band;
        QVERIFY(number.top() >= 0);
        QVERIFY2(number.right() < metrics.page.width(), "the number runs past the printable width");
        for (const QRect &frame : page.frames)
            QVERIFY2(!number.intersects(frame), qPrintable(u"number %1,%2 %3×%4 over the frame at y %5"_s
                                                               .arg(number.x()).arg(number.y()).arg(number.width())
                                                               .arg(number.height()).arg(frame.top())));
        // The lines start inside the frame, the first at its top.
        QCOMPARE(page.lines.first().band.top(), page.frames.first().top());
    }
}

void TestPageLayout::titleEntries_data()
{
    QTest::addColumn<QStringList>("roll");
    QTest::addColumn<QStringList>("titles");
    QStringList roll(120, u"本文"_s);
    roll[2] = u"<-◆第一部"_s;
    roll[119] = u"<-●休憩"_s;
    QTest::newRow("lines 3 and 120") << roll << QStringList{u"00003 ： ◆第一部"_s, u"00120 ： ●休憩"_s};
    QStringList big(123456, QString());
    big.last() = u"<-■交代"_s;
    QTest::newRow("six digits in full") << big << QStringList{u"123456 ： ■交代"_s};
    QTest::newRow("every kind, bare marker") << QStringList{u"<-"_s, u"<-メモ"_s, u" <-いいえ"_s, u"＜－いいえ"_s}
                                             << QStringList{u"00001 ： "_s, u"00002 ： メモ"_s};
    QTest::newRow("no comments") << QStringList{u"a"_s} << QStringList{};
}

void TestPageLayout::titleEntries()
{
    QFETCH(QStringList, roll);
    QFETCH(QStringList, titles);
    QCOMPARE(::titleEntries(roll), titles);
}

void TestPageLayout::printFontFallbacks()
{
    QCOMPARE(printFont({.printer = {}, .font = u"ＭＳ ゴシック"_s, .points = 12, .columns = 1}).family(), u"IPAGothic"_s);
    QCOMPARE(printFont({.printer = {}, .font = {}, .points = 12, .columns = 1}).family(), u"IPAGothic"_s);
    QCOMPARE(printFont({.printer = {}, .font = u"ＭＳ 明朝"_s, .points = 0, .columns = 1}).pointSize(), 10);
}

void TestPageLayout::painterDrawsBandsFramesAndNumber()
{
    const PageMetrics metrics = fixedMetrics();
    const QList<PrintedPage> pages =
        layoutPages({u"<-◆第一部"_s, u"ーーーーーーーーーーーーーーーーーーーー"_s}, PrintStyle::Split, 3, metrics);
    QImage image(metrics.page, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintPage(painter, pages.first(), printFont({}));
    }
    const PrintedPage &page = pages.first();
    // The comment's band is grey where no glyph stands (its right end).
    const QRect band = page.lines.at(0).band;
    QCOMPARE(image.pixelColor(band.right() - 2, band.bottom() - 2), kCommentShade);
    // The frame's edges are one pixel, black, and drawn over a line that
    // runs past the column (the second line is 800 wide in a 700 column).
    QCOMPARE(image.pixelColor(200, 1500), QColor(Qt::black));
    QCOMPARE(image.pixelColor(201, 1500), QColor(Qt::white));
    QCOMPARE(image.pixelColor(899, 1500), QColor(Qt::black));
    QCOMPARE(image.pixelColor(899, 450), QColor(Qt::black));
    // One column received lines: no frame at the second's right edge.
    QCOMPARE(image.pixelColor(1599, 1500), QColor(Qt::white));
    QVERIFY(page.pageNumber.band.contains(2070, 200));
}

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
