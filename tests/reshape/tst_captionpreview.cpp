// The caption preview's measure of the lines around the caret.
#include "reshape/CaptionPreview.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCaptionPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellLine_data();
    void cellLine();
    void pixelLine_data();
    void pixelLine();
    void keepsOrder();
};

// Half-width cells: "a" is 1, "あ" and "𠮷" are 2.
void TestCaptionPreview::cellLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("screen");
    QTest::addColumn<bool>("comment");
    QTest::addColumn<qint64>("width");
    QTest::addColumn<qsizetype>("fitting");
    QTest::newRow("exactly the screen fits") << u"あいう"_s << 6 << false << qint64(6) << qsizetype(3);
    QTest::newRow("one character more overflows") << u"あいうa"_s << 6 << false << qint64(7) << qsizetype(3);
    QTest::newRow("empty line") << QString() << 6 << false << qint64(0) << qsizetype(0);
    QTest::newRow("one character wider than the screen") << u"あ"_s << 1 << false << qint64(2) << qsizetype(0);
    QTest::newRow("no room at all") << u"a"_s << 0 << false << qint64(1) << qsizetype(0);
    // The cut falls before the pair, never between its halves.
    QTest::newRow("surrogate pair at the edge") << u"aa𠮷"_s << 3 << false << qint64(4) << qsizetype(2);
    QTest::newRow("surrogate pair fits") << u"a𠮷a"_s << 3 << false << qint64(4) << qsizetype(3);
    // A mark stays with the character it combines with.
    QTest::newRow("combining mark kept with its base")
        << u"aか\u3099a"_s << 3 << false << qint64(-1) << qsizetype(1);
    QTest::newRow("only the first overflow counts") << u"あaaaa"_s << 3 << false << qint64(6) << qsizetype(2);
    // Comment lines are not sent, so they never overflow the screen.
    QTest::newRow("comment line never overflows") << u"<-◆第一部の説明"_s << 4 << true << qint64(16) << qsizetype(9);
    QTest::newRow("talker line is no comment") << u"司会／<-"_s << 20 << false << qint64(8) << qsizetype(5);
}

void TestCaptionPreview::cellLine()
{
    QFETCH(QString, text);
    QFETCH(int, screen);
    QFETCH(bool, comment);
    QFETCH(qint64, width);
    QFETCH(qsizetype, fitting);
    CellWidth cells;
    const QList<PreviewLine> shown = previewLines({text}, cells, screen);
    QCOMPARE(shown.size(), 1);
    const PreviewLine &line = shown.first();
    QCOMPARE(line.text, text);
    QCOMPARE(line.comment, comment);
    if (width >= 0)
        QCOMPARE(line.width, width);
    QCOMPARE(line.fitting, fitting);
    QCOMPARE(line.overflows(), !comment && fitting < text.size());
}

// In the caption font as the width check measures it: "漢" is 73 pixels at 55 points.
void TestCaptionPreview::pixelLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("screen");
    QTest::addColumn<qsizetype>("fitting");
    QTest::newRow("eight on 584 pixels fit") << QString(8, u'漢') << 584 << qsizetype(8);
    QTest::newRow("nine on 584 pixels: the ninth overflows") << QString(9, u'漢') << 584 << qsizetype(8);
    QTest::newRow("one pixel short") << QString(8, u'漢') << 583 << qsizetype(7);
    QTest::newRow("one character wider than the screen") << u"漢"_s << 72 << qsizetype(0);
}

void TestCaptionPreview::pixelLine()
{
    QFETCH(QString, text);
    QFETCH(int, screen);
    QFETCH(qsizetype, fitting);
    PixelWidth pixels(u"ＭＳ ゴシック"_s, 55);
    const PreviewLine line = previewLines({text}, pixels, screen).first();
    QCOMPARE(line.width, pixels.width(text));
    QCOMPARE(line.fitting, fitting);
}

void TestCaptionPreview::keepsOrder()
{
    CellWidth cells;
    const QList<PreviewLine> shown = previewLines({u"一"_s, u"<-二"_s, QString(), u"三三三"_s}, cells, 4);
    QCOMPARE(shown.size(), 4);
    QCOMPARE(shown.at(0).text, u"一"_s);
    QVERIFY(shown.at(1).comment);
    QVERIFY(!shown.at(2).overflows());
    QVERIFY(shown.at(3).overflows());
    QCOMPARE(shown.at(3).fitting, 2);
}

QTEST_MAIN(TestCaptionPreview)
#include "tst_captionpreview.moc"
