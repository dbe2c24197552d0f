#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

class TestFonts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void substitution_data();
    void substitution();
    void designNamesAreListed();
    void widthAt96Dpi_data();
    void widthAt96Dpi();
    void longLineWidthPassesTheIntRange();
};

void TestFonts::substitution_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("family");
    QTest::newRow("gothic") << u"ＭＳ ゴシック"_s << u"IPAGothic"_s;
    QTest::newRow("proportional gothic") << u"ＭＳ Ｐゴシック"_s << u"IPAPGothic"_s;
    QTest::newRow("mincho") << u"ＭＳ 明朝"_s << u"IPAMincho"_s;
    QTest::newRow("proportional mincho") << u"ＭＳ Ｐ明朝"_s << u"IPAPMincho"_s;
    QTest::newRow("other names pass through") << u"DejaVu Sans"_s << u"DejaVu Sans"_s;
    QTest::newRow("half-width spelling is another font") << u"MS Gothic"_s << u"MS Gothic"_s;
}

void TestFonts::substitution()
{
    QFETCH(QString, design);
    QFETCH(QString, family);
    QCOMPARE(substituteFontFamily(design), family);
    // The font really resolves to the installed IPA family (which the font
    // list may name in the session's language).
    if (design != family) {
        const QString served = QFontInfo(fontAt96Dpi(design, 10)).family();
        QCOMPARE(served, QFontInfo(QFont(family)).family());
        QVERIFY2(served.startsWith(u"IPA"_s) && QFontDatabase::families().contains(served), qPrintable(served));
    }
}

void TestFonts::designNamesAreListed()
{
    const QStringList names = installedFontNames();
    for (const QString &design : {u"ＭＳ ゴシック"_s, u"ＭＳ Ｐゴシック"_s, u"ＭＳ 明朝"_s, u"ＭＳ Ｐ明朝"_s})
        QVERIFY2(names.contains(design), qPrintable(names.join(u", "_s)));
    QCOMPARE(names.count(u"ＭＳ ゴシック"_s), 1);
}

void TestFonts::widthAt96Dpi_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixels");
    // The caption screens were sized with these figures.
    QTest::newRow("one full-width character at 55 pt") << u"あ"_s << 55 << 73;
    QTest::newRow("twenty full-width characters overflow 1440") << QString(20, u'漢') << 55 << 1460;
    // Each character advances whole pixels: 36.5 rounds to 37, twice.
    QTest::newRow("half-width characters add whole pixels") << u"ab"_s << 55 << 74;
    QTest::newRow("surrogate pair is one character") << u"𠮟"_s << 55 << 73;
    QTest::newRow("10 pt") << u"増田"_s << 10 << 26;
    QTest::newRow("empty") << QString() << 55 << 0;
}

void TestFonts::widthAt96Dpi()
{
    QFETCH(QString, text);
    QFETCH(int, points);
    QFETCH(int, pixels);
    QCOMPARE(textWidthAt96Dpi(text, u"ＭＳ ゴシック"_s, points), qint64(pixels));
}

void TestFonts::longLineWidthPassesTheIntRange()
{
    TextMeasure measure(u"ＭＳ ゴシック"_s, 1000);
    const qint64 one = measure.width(u"漢"_s);
    QVERIFY(one > 1000);
    const qint64 chars = 1620000;
    const qint64 total = measure.width(QString(chars, u'漢'));
    QCOMPARE(total, one * chars);
    QVERIFY(total > std::numeric_limits<int>::max());
}

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
