#include "slides/SlideRecords.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString kConvertedPage = u"-スライド1,0,,0,0,640,480,,,,,,,,,,"_s;
// A fixed character cell: 10 wide, 20 high at every size.
SlideCell fixedCell(int) { return {10, 20}; }
} // namespace

class TestSlideRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pages_data();
    void pages();
    void rewriteInTheEditorsForm_data();
    void rewriteInTheEditorsForm();
    void hostileRecordsNeverBreakTheRoll_data();
    void hostileRecordsNeverBreakTheRoll();
    void layout_data();
    void layout();
};

void TestSlideRecords::pages_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<int>>("stringsPerPage");
    QTest::newRow("converted slide") << QStringList{kConvertedPage, u"A,0,0,10,0,c,c,,,,,,"_s,
                                                    u"-スライド2,0,,0,0,640,480,,,,,,,,,,"_s, u"B,0,0,10,0,c,c,,,,,,"_s}
                                     << QStringList{u"スライド1"_s, u"スライド2"_s} << QList<int>{1, 1};
    QTest::newRow("plain roll has no pages") << QStringList{u"こんにちは"_s, u"-いいえ"_s} << QStringList{}
                                             << QList<int>{};
    QTest::newRow("a roll line with - and a comma is a page")
        << QStringList{u"本文"_s, u"-注意, ここ"_s} << QStringList{u"注意"_s} << QList<int>{0};
    QTest::newRow("strings before the first page belong to none")
        << QStringList{u"x,1,"_s, u"-P \t,0,"_s, u"y,"_s, u"no fields"_s, u"z,"_s} << QStringList{u"P"_s}
        << QList<int>{2};
}

void TestSlideRecords::pages()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, titles);
    QFETCH(QList<int>, stringsPerPage);
    const QList<SlidePageLines> pages = slidePages(lines);
    QStringList gotTitles;
    QList<int> counts;
    for (const SlidePageLines &page : pages) {
        gotTitles << readSlidePage(lines.at(page.pageLine)).title;
        counts << int(page.stringLines.size());
    }
    QCOMPARE(gotTitles, titles);
    QCOMPARE(counts, stringsPerPage);
}

void TestSlideRecords::rewriteInTheEditorsForm_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("string");
    QTest::addColumn<QStringList>("after");
    const QStringList converted{kConvertedPage, u"A,0,0,10,16777215,c,c,,,,,,"_s, u"B,,r1,10,255,c,c,,,,,,"_s};
    QTest::newRow("unchanged apply: 17 -> 14 and 13 -> 14 fields")
        << converted << 1
        << QStringList{u"-スライド1,0,,0,0,640,480,,,,,,,"_s, converted[1], u"B,0,r1,10,255,c,c,,,,,,,"_s};
    QTest::newRow("no string selected: the page only")
        << converted << -1 << QStringList{u"-スライド1,0,,0,0,640,480,,,,,,,"_s, converted[1], converted[2]};
    QTest::newRow("string gone meanwhile: the page only")
        << converted << 7 << QStringList{u"-スライド1,0,,0,0,640,480,,,,,,,"_s, converted[1], converted[2]};
    QTest::newRow("colour names and broken numbers fall back")
        << QStringList{u"-T,clRed,,x,1e3,,9999999999,"_s, u"s,rx,abc,big,clBlue,"_s} << 0
        << QStringList{u"-T,255,,0,0,0,0,,,,,,,"_s, u"s,r1,0,0,16711680,c,c,,,,,,,"_s};
}

void TestSlideRecords::rewriteInTheEditorsForm()
{
    QFETCH(QStringList, lines);
    QFETCH(int, string);
    QFETCH(QStringList, after);
    // Applying what was read is what the window does when nothing changed.
    const QList<SlidePageLines> pages = slidePages(lines);
    const SlidePageProps page = readSlidePage(lines.at(pages.at(0).pageLine));
    const int shown = string < 0 || string >= pages.at(0).stringLines.size() ? 0 : string;
    const SlideStringProps text = readSlideString(lines.at(pages.at(0).stringLines.value(shown)));
    QVERIFY(applySlideEdit(lines, 0, page, string, text));
    QCOMPARE(lines, after);
    QCOMPARE(slideFields(lines.first()).size(), 13); // the 14th "field" is the empty tail
}

void TestSlideRecords::hostileRecordsNeverBreakTheRoll_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pageLine");
    QTest::addColumn<QString>("stringLine");
    QTest::newRow("commas in the texts")
        << u"a,b"_s << u"1,000円"_s << u"-ab,0,,0,0,0,0,,,,,,,"_s << u"1000円,0,0,0,0,c,c,,,,,,,"_s;
    QTest::newRow("a text starting with - stays a string")
        << u"p"_s << u"-続き"_s << u"-p,0,,0,0,0,0,,,,,,,"_s << u"－続き,0,0,0,0,c,c,,,,,,,"_s;
    QTest::newRow("line breaks stay inside the line")
        << u"a\nb"_s << u"x\r\ny\u2028z"_s << u"-a b,0,,0,0,0,0,,,,,,,"_s << u"x  y z,0,0,0,0,c,c,,,,,,,"_s;
    QTest::newRow("percent signs are text") << u"%1%s"_s << u"%d%ld"_s << u"-%1%s,0,,0,0,0,0,,,,,,,"_s
                                            << u"%d%ld,0,0,0,0,c,c,,,,,,,"_s;
}

void TestSlideRecords::hostileRecordsNeverBreakTheRoll()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, pageLine);
    QFETCH(QString, stringLine);
    QStringList lines{u"前"_s, u"-old,"_s, u"s,"_s, u"後"_s};
    SlidePageProps page;
    page.title = title;
    SlideStringProps string;
    string.text = text;
    QVERIFY(applySlideEdit(lines, 0, page, 0, string));
    QCOMPARE(lines, (QStringList{u"前"_s, pageLine, stringLine, u"後"_s}));
    // What was written reads back as the same page with the same string.
    QCOMPARE(slidePages(lines).size(), 1);
    QCOMPARE(slidePages(lines).first().stringLines, QList<int>{2});
    QVERIFY(!applySlideEdit(lines, 1, page, 0, string)); // no such page: nothing written
    QCOMPARE(lines.size(), 4);
}

void TestSlideRecords::layout_data()
{
    QTest::addColumn<QStringList>("strings");
    QTest::addColumn<QList<QPointF>>("places");
    QTest::addColumn<QList<int>>("colours");
    QTest::newRow("converted strings one line apart from 0")
        << QStringList{u"A,0,0,10,255,c,c,,,,,,"_s, u"B,,r1,10,255,c,c,,,,,,"_s, u"C,,r1,10,255,c,c,,,,,,"_s}
        << QList<QPointF>{{0, 0}, {0, 20}, {0, 40}} << QList<int>{255, 255, 255};
    QTest::newRow("r2 down, r3 right, absolute again")
        << QStringList{u"A,5,7,10,1,"_s, u"B,r3,r2,10,x,"_s, u"C,1,2,10,clRed,"_s}
        << QList<QPointF>{{5, 7}, {35, 47}, {1, 2}} << QList<int>{1, 1, 255};
    QTest::newRow("hostile steps stay bounded")
        << QStringList{u"A,r2147483647,r-2147483648,10,0,"_s}
        << QList<QPointF>{{1e9, -1e9}} << QList<int>{0};
}

void TestSlideRecords::layout()
{
    QFETCH(QStringList, strings);
    QFETCH(QList<QPointF>, places);
    QFETCH(QList<int>, colours);
    QStringList lines{u"-p,0,,0,0,640,480,"_s};
    lines << strings;
    const QList<SlidePreviewItem> items = layoutSlidePage(lines, slidePages(lines).first(), fixedCell);
    QCOMPARE(items.size(), places.size());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(QPointF(items[i].x, items[i].y), places[i]);
        QCOMPARE(items[i].colour, colours[i]);
    }
}

QTEST_MAIN(TestSlideRecords)
#include "tst_sliderecords.moc"
