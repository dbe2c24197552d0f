#include "reshape/DisplayWidth.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestDisplayWidth : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void category_data();
    void category();
    void width_data();
    void width();
};

void TestDisplayWidth::category_data()
{
    QTest::addColumn<uint>("codePoint");
    QTest::addColumn<int>("category");
    // 0 N, 1 F, 2 H, 3 W, 4 Na, 5 A
    QTest::newRow("space is narrow") << 0x20u << 4;
    QTest::newRow("tilde is narrow") << 0x7Eu << 4;
    QTest::newRow("control is neutral") << 0x07u << 0;
    QTest::newRow("ideographic space") << 0x3000u << 1;
    QTest::newRow("full-width exclamation") << 0xFF01u << 1;
    QTest::newRow("full-width range end") << 0xFF60u << 1;
    QTest::newRow("half-width katakana start") << 0xFF61u << 2;
    QTest::newRow("half-width katakana end") << 0xFF9Fu << 2;
    QTest::newRow("hiragana") << 0x3041u << 3;
    QTest::newRow("katakana end") << 0x30FAu << 3;
    QTest::newRow("CJK first") << 0x4E00u << 3;
    QTest::newRow("CJK last in 5.1") << 0x9FC3u << 3;
    QTest::newRow("CJK unlisted in 5.1") << 0x9FC4u << 0;
    QTest::newRow("plane 2 start") << 0x20000u << 3;
    QTest::newRow("plane 2 end") << 0x2FFFDu << 3;
    QTest::newRow("private use BMP") << 0xE000u << 5;
    QTest::newRow("private use BMP end") << 0xF8FFu << 5;
    QTest::newRow("private use plane 15 is neutral") << 0xF0000u << 0;
    QTest::newRow("private use plane 16 is neutral") << 0x10FFFDu << 0;
    QTest::newRow("variation selector") << 0xFE00u << 5;
    QTest::newRow("combining grave") << 0x0300u << 5;
    QTest::newRow("white circle") << 0x25CBu << 5;
    QTest::newRow("beyond Unicode") << 0x110000u << 0;
}

void TestDisplayWidth::category()
{
    QFETCH(uint, codePoint);
    QFETCH(int, category);
    QCOMPARE(MecsEastAsianWidth(char32_t(codePoint)), category);
}

void TestDisplayWidth::width_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ambiguousWide");
    QTest::addColumn<int>("cells");
    QTest::newRow("empty") << QString() << true << 0;
    QTest::newRow("ASCII") << u"ABC"_s << true << 3;
    QTest::newRow("hiragana") << u"あいう"_s << true << 6;
    QTest::newRow("mixed") << u"ABCあ"_s << true << 5;
    QTest::newRow("half-width katakana") << u"ｱｲｳ"_s << true << 3;
    QTest::newRow("ambiguous symbols wide") << u"○×"_s << true << 4;
    QTest::newRow("ambiguous symbols narrow") << u"○×"_s << false << 2;
    QTest::newRow("comment kind symbols") << u"◆●■※"_s << true << 8;
    QTest::newRow("Greek and Cyrillic") << u"αД"_s << true << 4;
    QTest::newRow("circled digit") << u"①"_s << true << 2;
    QTest::newRow("surrogate pair is one wide code point") << u"𠮟"_s << true << 2;
    QTest::newRow("emoji outside 5.1 table is neutral") << u"😀"_s << true << 1;
    QTest::newRow("combining mark counts 2") << u"e\u0301"_s << true << 3;
    QTest::newRow("private use BMP counts 2") << u"\uE000"_s << true << 2;
    QTest::newRow("lone high surrogate is one cell") << QString(QChar(0xD800)) << true << 1;
    QTest::newRow("lone low surrogate then ASCII") << QString(QChar(0xDC00)) + u"a"_s << true << 2;
    QTest::newRow("ruby code counted as text") << u"`r漢`s"_s << true << 6;
    QTest::newRow("nine full-width and two ambiguous") << u"あいうえおかきくけ○○"_s << true << 22;
}

void TestDisplayWidth::width()
{
    QFETCH(QString, text);
    QFETCH(bool, ambiguousWide);
    QFETCH(int, cells);
    QCOMPARE(MecsStringWidth(text, ambiguousWide), cells);
}

QTEST_APPLESS_MAIN(TestDisplayWidth)
#include "tst_displaywidth.moc"
