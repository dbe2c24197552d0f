// The character-kind conversion as pure functions: each class and direction,
// the user's rows, the list file, and equality with the step-by-step
// reference on real and crafted texts.
#include "convert/CharConversion.h"
#include "convert/ConversionList.h"
#include "convert/PairConverter.h"
#include "platform/ProfileFile.h"
#include "support/TestSupport.h"

#include "bench/reference/ConvertReference.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ConversionChoice)

namespace {

ConversionChoice only(CharClass cls, bool towardsWide)
{
    ConversionChoice c;
    const WidthWay w = towardsWide ? WidthWay::Full : WidthWay::Half;
    switch (cls) {
    case CharClass::Alphabet: c.alpha = w; break;
    case CharClass::Space: c.space = w; break;
    case CharClass::Digits: c.num = w; break;
    case CharClass::Symbols: c.kigou = w; break;
    case CharClass::Katakana: c.kata = w; break;
    case CharClass::Units: c.unit = towardsWide ? UnitWay::ToSymbol : UnitWay::ToWord; break;
    }
    return c;
}

ConversionChoice allWays(WidthWay w, UnitWay u)
{
    ConversionChoice c;
    c.alpha = c.space = c.num = c.kigou = c.kata = w;
    c.unit = u;
    return c;
}

QString readUtf8(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(f.readAll());
}

// Text in which every class has work, overlapping sources included.
const QString kMixed = u"<-■Part IV: VIII, XIV, IVII, VIV, IVIII, IIII 1,000円 ﾃﾞｰﾀ ｶﾞｲﾄﾞ ｳﾞｧｲｵﾘﾝ ｲｴ\n"
                       u"ガイド ヴァイオリン ヰヱヵヶ ５０キロメートル ミリリットル ミリットル パーセント ｃｃｍｍ ｃｍｍ\n"
                       u"（株）山田 No.5 K.K.K. Tel 03-1234 ㈱㍻㌫№℡ \"quote\" 'a' `b` {x}[y](z) a+b=c <d> ~^_|\\$%#&*@\n"
                       u"Ｈｅｌｌｏ　Ｗｏｒｌｄ　１２３　（中）　ⅠⅡⅢⅩ，．：；？！ — 〜 ¥ é 𠮷\n"_s;

} // namespace

class TestConvert : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void classes_data();
    void classes();
    void katakanaRoundTrip();
    void userRows_data();
    void userRows();
    void orderedPairsLongestFirst();
    void pairConverterFallsBackWhenTargetsFeedSources();
    void sameAsReference_data();
    void sameAsReference();
    void sameAsReferenceOnRandomText();
    void rowText_data();
    void rowText();
    void listFileKeepsRowsAndStaleEntries();
    void damagedRowCountIsBounded();
};

void TestConvert::classes_data()
{
    QTest::addColumn<ConversionChoice>("choice");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    const auto row = [](const char *name, ConversionChoice c, const QString &b, const QString &a) {
        QTest::newRow(name) << c << b << a;
    };
    row("alphabet to full", only(CharClass::Alphabet, true), u"AZaz.1"_s, u"ＡＺａｚ.1"_s);
    row("alphabet to half", only(CharClass::Alphabet, false), u"ＡＺａｚ．"_s, u"AZaz．"_s);
    row("space to full", only(CharClass::Space, true), u"a b\u3000c"_s, u"a\u3000b\u3000c"_s);
    row("space to half", only(CharClass::Space, false), u"a\u3000b c"_s, u"a b c"_s);
    row("digits to full", only(CharClass::Digits, true), u"0129０"_s, u"０１２９０"_s);
    row("digits to half", only(CharClass::Digits, false), u"０１２９0"_s, u"01290"_s);
    row("symbols to full", only(CharClass::Symbols, true), u"<-a.b:c;?!^~_/|`'\"()[]{}+-=<>\\$%#&*@,"_s,
        u"＜－a．b：c；？！＾￣＿／｜‘’”（）［］｛｝＋－＝＜＞￥＄％＃＆＊＠，"_s);
    row("half-width forms stay", only(CharClass::Symbols, true), u"､｡･ﾞﾟｰ″"_s, u"､｡･ﾞﾟｰ″"_s);
    row("numerals longest first", only(CharClass::Symbols, true), u"XIV VIII III II I"_s, u"ⅩⅣ Ⅷ Ⅲ Ⅱ Ⅰ"_s);
    // A longer numeral to the right takes its letters before a shorter one to the left.
    row("numerals as the sequence", only(CharClass::Symbols, true), u"IVII VIV IVIII"_s, u"ⅠⅦ ⅤⅣ ⅠⅧ"_s);
    row("letters stay with full alphabet", allWays(WidthWay::Full, UnitWay::None), u"XIV"_s, u"ＸＩＶ"_s);
    row("1,000 with digits and symbols", [] {
        ConversionChoice c;
        c.num = c.kigou = WidthWay::Full;
        return c;
    }(), u"1,000"_s, u"１，０００"_s);
    row("symbols to half", only(CharClass::Symbols, false), u"＜－（）’”‘￥￣，ⅧⅩⅠ"_s, u"<-()'\"`\\~,VIIIXI"_s);
    row("katakana to full", only(CharClass::Katakana, true), u"ｶﾞｷﾞﾊﾟﾊﾞﾊｳﾞｲｴｰｶﾟ"_s, u"ガギパバハヴイエーカﾟ"_s);
    row("katakana to half", only(CharClass::Katakana, false), u"ガヴヰイヱヵヶヮー"_s, u"ｶﾞｳﾞｲｲｴｶｹﾜｰ"_s);
    row("units to symbols", only(CharClass::Units, true), u"５０キロメートル"_s, u"５０㌔㍍"_s);
    row("units longest first", only(CharClass::Units, true), u"パーセント ミリリットル No.1 （株）"_s,
        u"㌫ ㍉㍑ №1 ㈱"_s);
    row("units as the sequence", only(CharClass::Units, true), u"ミリットル ｃｍｍ ｃｃｍ"_s, u"ミ㍑ ｃ㎜ ｃ㎝"_s);
    row("units to words", only(CharClass::Units, false), u"㈱㌫№℡㏍㍻"_s, u"（株）パーセントNo.TelK.K.平成"_s);
    row("nothing chosen keeps the text", ConversionChoice{}, u"ﾃｽﾄ abc 123"_s, u"ﾃｽﾄ abc 123"_s);
    row("Shift-JIS forms", ConversionChoice{}, u"—〜¥"_s, u"―～\\"_s);
    // Characters Shift-JIS cannot hold are not turned into "?".
    row("outside Shift-JIS kept", only(CharClass::Digits, true), u"é1𠮷?"_s, u"é１𠮷?"_s);
}

void TestConvert::classes()
{
    QFETCH(ConversionChoice, choice);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QCOMPARE(convertText(before, choice, {}), after);
}

void TestConvert::katakanaRoundTrip()
{
    const QString half = convertText(u"ガヴヰ"_s, only(CharClass::Katakana, false), {});
    QCOMPARE(convertText(half, only(CharClass::Katakana, true), {}), u"ガヴイ"_s);
}

void TestConvert::userRows_data()
{
    QTest::addColumn<QList<ConversionRow>>("rows");
    QTest::addColumn<int>("way");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    const QList<ConversionRow> chain{{u"A"_s, u"B"_s}, {u"B"_s, u"C"_s}};
    QTest::newRow("a row acts on an earlier row's output") << chain << int(UserWay::Forward) << u"AB"_s << u"CC"_s;
    QTest::newRow("reverse goes row by row too") << chain << int(UserWay::Reverse) << u"BC"_s << u"AB"_s;
    QTest::newRow("none") << chain << int(UserWay::None) << u"AB"_s << u"AB"_s;
    const QList<ConversionRow> empty{{u"株式会社"_s, QString()}};
    QTest::newRow("empty value deletes") << empty << int(UserWay::Forward) << u"山田株式会社"_s << u"山田"_s;
    QTest::newRow("empty source is skipped") << empty << int(UserWay::Reverse) << u"山田"_s << u"山田"_s;
    QTest::newRow("blanks, commas and quotes are text")
        << QList<ConversionRow>{{u"a, \"b\""_s, u" c "_s}} << int(UserWay::Forward) << u"xa, \"b\"y"_s << u"x c y"_s;
}

void TestConvert::userRows()
{
    QFETCH(QList<ConversionRow>, rows);
    QFETCH(int, way);
    QFETCH(QString, before);
    QFETCH(QString, after);
    ConversionChoice choice;
    choice.user = UserWay(way);
    QCOMPARE(convertText(before, choice, rows), after);
}

void TestConvert::orderedPairsLongestFirst()
{
    const auto pairs = orderedPairs(CharClass::Symbols, true);
    QCOMPARE(pairs.size(), 50);
    QCOMPARE(pairs.first(), qMakePair(u"VIII"_s, u"Ⅷ"_s));
    QCOMPARE(pairs.at(1).first, u"III"_s);
    QCOMPARE(pairs.last(), qMakePair(u","_s, u"，"_s));
    QCOMPARE(orderedPairs(CharClass::Katakana, true).size(), 87);
    QCOMPARE(orderedPairs(CharClass::Units, false).size(), 38);
    // Every built-in table reads in one pass.
    for (CharClass cls : {CharClass::Alphabet, CharClass::Space, CharClass::Digits, CharClass::Symbols,
                          CharClass::Katakana, CharClass::Units}) {
        for (bool wide : {false, true})
            QVERIFY(PairConverter(orderedPairs(cls, wide)).onePass());
    }
}

void TestConvert::pairConverterFallsBackWhenTargetsFeedSources()
{
    const QList<QPair<QString, QString>> feeding{{u"a"_s, u"b"_s}, {u"b"_s, u"c"_s}};
    QVERIFY(!PairConverter(feeding).onePass());
    QCOMPARE(PairConverter(feeding).convert(u"ab"_s), u"cc"_s);
    const QList<QPair<QString, QString>> joining{{u"ab"_s, QString()}, {u"xy"_s, u"Z"_s}};
    QCOMPARE(PairConverter(joining).convert(u"xaby"_s), u"Z"_s);
}

void TestConvert::sameAsReference_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ConversionChoice>("choice");
    const QString sample = readUtf8(testDataPath(u"roll-sample.txt"_s));
    const QList<ConversionRow> noRows;
    for (const auto &[name, text] : {std::pair{"sample", sample}, std::pair{"mixed", kMixed}}) {
        for (CharClass cls : {CharClass::Alphabet, CharClass::Space, CharClass::Digits, CharClass::Symbols,
                              CharClass::Katakana, CharClass::Units}) {
            for (bool wide : {false, true}) {
                QTest::addRow("%s class %d %s", name, int(cls), wide ? "wide" : "narrow")
                    << text << only(cls, wide);
            }
        }
        QTest::addRow("%s all full", name) << text << allWays(WidthWay::Full, UnitWay::ToSymbol);
        QTest::addRow("%s all half", name) << text << allWays(WidthWay::Half, UnitWay::ToWord);
        ConversionChoice mixed = allWays(WidthWay::Half, UnitWay::ToSymbol);
        mixed.alpha = mixed.num = WidthWay::Full;
        QTest::addRow("%s mixed", name) << text << mixed;
    }
}

void TestConvert::sameAsReference()
{
    QFETCH(QString, text);
    QFETCH(ConversionChoice, choice);
    choice.user = UserWay::Forward;
    const QList<ConversionRow> rows{{u"研究会"_s, u"けんきゅうかい"_s}, {u"けんきゅう"_s, u"研究"_s}};
    QCOMPARE(convertText(text, choice, rows), reference::convertText(text, choice, rows));
}

// Random strings glued from table entries and their ends, the places where
// a single pass could go wrong, against the reference.
void TestConvert::sameAsReferenceOnRandomText()
{
    QStringList pieces{u" "_s, u","_s, u"."_s, u"x"_s};
    for (CharClass cls : {CharClass::Symbols, CharClass::Katakana, CharClass::Units}) {
        for (const ConversionPair &p : conversionTable(cls)) {
            for (const QString &side : {p.narrow, p.wide})
                pieces << side << side.left(1) << side.right(1);
        }
    }
    QRandomGenerator rng(7);
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int count = 1 + int(rng.bounded(8));
        for (int k = 0; k < count; ++k)
            text += pieces.at(rng.bounded(int(pieces.size())));
        for (const ConversionChoice &choice : {allWays(WidthWay::Full, UnitWay::ToSymbol),
                                               allWays(WidthWay::Half, UnitWay::ToWord),
                                               only(CharClass::Symbols, true), only(CharClass::Units, true)}) {
            const QString ours = convertText(text, choice, {});
            const QString theirs = reference::convertText(text, choice, {});
            if (ours != theirs)
                QFAIL(qPrintable(u"differs on \"%1\": \"%2\" against \"%3\""_s.arg(text, ours, theirs)));
        }
    }
}

void TestConvert::rowText_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << u"ｷﾛ"_s << u"㌔"_s;
    QTest::newRow("empty value") << u"株式会社"_s << QString();
    QTest::newRow("equals in value") << u"1+1"_s << u"2=二"_s;
    QTest::newRow("blank at both ends") << u" a"_s << u"b "_s;
    QTest::newRow("enclosing quotes") << u"\"a"_s << u"b\""_s;
    QTest::newRow("single quotes") << u"'a"_s << u"b'"_s;
    QTest::newRow("comma and space") << u"a, b"_s << u"c d"_s;
}

// A row comes back from the list file as it was saved.
void TestConvert::rowText()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.ini"_s);
    ProfileFile out(path);
    writeConversionList(out, {{key, value}});
    QVERIFY(out.save());
    const QList<ConversionRow> rows = readConversionList(ProfileFile(path));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first(), ConversionRow(key, value));
}

void TestConvert::listFileKeepsRowsAndStaleEntries()
{
    QCOMPARE(parseConversionRow(u"1+1=2=二"_s), ConversionRow(u"1+1"_s, u"2=二"_s));
    QCOMPARE(parseConversionRow(u"abc"_s), ConversionRow(u"abc"_s, QString()));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.ini"_s);
    {
        ProfileFile ini(path);
        ini.writeString(u"Other"_s, u"Key"_s, u"kept"_s);
        writeConversionList(ini, {{u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"3"_s}, {u"d"_s, u"4"_s},
                                  {QString(5000, u'x'), u"5"_s}});
        QVERIFY(ini.save());
    }
    QCOMPARE(readConversionList(ProfileFile(path)).last().first.size(), ProfileFile::kMaxValueLength);
    {
        ProfileFile ini(path);
        writeConversionList(ini, {{u"x"_s, u"1"_s}, {u"y"_s, u"2"_s}, {u"z"_s, u"3"_s}});
        QVERIFY(ini.save());
    }
    const ProfileFile ini(path);
    QCOMPARE(readConversionList(ini).size(), 3);
    QCOMPARE(ini.readString(u"WordChangeList"_s, u"Word_00003"_s, QString()), u"d=4"_s);
    QVERIFY(!ini.readString(u"WordChangeList"_s, u"Word_00004"_s, QString()).isEmpty());
    QCOMPARE(ini.readString(u"Other"_s, u"Key"_s, QString()), u"kept"_s);
    QVERIFY(readConversionList(ProfileFile(dir.filePath(u"none.ini"_s))).isEmpty());
}

// A 40-byte file must not claim gigabytes: rows stop at the entries it holds.
void TestConvert::damagedRowCountIsBounded()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.ini"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[WordChangeList]\r\nWordTotal=2147483647\r\nWord_00000=a=b\r\n");
    file.close();
    QCOMPARE(readConversionList(ProfileFile(path)), (QList<ConversionRow>{{u"a"_s, u"b"_s}}));
}

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
