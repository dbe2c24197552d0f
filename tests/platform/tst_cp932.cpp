#include "platform/Cp932.h"

#include <QHash>
#include <QRandomGenerator>
#include <QTest>

namespace {

QString ch(char32_t c) { return QStringView(QChar::fromUcs4(c)).toString(); }
QString lone(char16_t surrogate) { return QString(QChar(surrogate)); }
const QString kFFFD = ch(0xFFFD);

} // namespace

class TestCp932 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void unencodableChars_data();
    void unencodableChars();
    void canEncodeAgreesWithEncode();
    void lossesCountTheQuestionMarks_data();
    void lossesCountTheQuestionMarks();
    void noPairSwallowsAFollowingAsciiByte();
    void everyAssignedCodeRoundTrips();
    void foldingLineEndsWhileDecoding_data();
    void foldingLineEndsWhileDecoding();
    void foldingAgreesWithDecodingThenFolding();
};

void TestCp932::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0x5C and 0x7E are backslash and tilde, not yen and overline")
        << QByteArray("C:\\roll~1") << QStringLiteral("C:\\roll~1");
    QTest::newRow("CR LF line ends pass through")
        << QByteArray("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("hiragana, ideographic space and first/last JIS kanji")
        << QByteArray("\x82\xA0\x81\x40\x88\x9F\xEA\xA4") << QStringLiteral("あ　亜熙");

    // The seven codes whose Unicode form differs between converters: Microsoft's.
    QTest::newRow("0x815C is horizontal bar") << QByteArray("\x81\x5C") << ch(0x2015);
    QTest::newRow("0x8160 is fullwidth tilde") << QByteArray("\x81\x60") << ch(0xFF5E);
    QTest::newRow("0x8161 is parallel to") << QByteArray("\x81\x61") << ch(0x2225);
    QTest::newRow("0x817C is fullwidth hyphen-minus") << QByteArray("\x81\x7C") << ch(0xFF0D);
    QTest::newRow("0x8191 is fullwidth cent") << QByteArray("\x81\x91") << ch(0xFFE0);
    QTest::newRow("0x8192 is fullwidth pound") << QByteArray("\x81\x92") << ch(0xFFE1);
    QTest::newRow("0x81CA is fullwidth not") << QByteArray("\x81\xCA") << ch(0xFFE2);

    QTest::newRow("NEC row 13: circled one, roman one, parenthesised kabushiki")
        << QByteArray("\x87\x40\x87\x54\x87\x8A") << QStringLiteral("①Ⅰ㈱");
    QTest::newRow("NEC-selected IBM extensions (rows 0xED/0xEE)")
        << QByteArray("\xED\x40\xEE\xEF") << QStringLiteral("纊ⅰ");
    QTest::newRow("IBM extensions: small roman one, ladder-style taka")
        << QByteArray("\xFA\x40\xFB\xFC") << QStringLiteral("ⅰ髙");
    QTest::newRow("user-defined area maps to private use")
        << QByteArray("\xF0\x40\xF9\xFC") << ch(0xE000) + ch(0xE757);
    QTest::newRow("half-width katakana 0xA1..0xDF are single bytes")
        << QByteArray("\xA1\xB1\xDE\xDF") << QStringLiteral("｡ｱﾞﾟ");

    QTest::newRow("ASCII runs around the 8-byte fast path keep their order")
        << QByteArray("0123456789abc\x82\xA0" "defghijkl\x83\x41" "m")
        << QStringLiteral("0123456789abcあdefghijklアm");

    // Broken input: one U+FFFD per fault, nothing after it lost.
    QTest::newRow("0x80, 0xA0, 0xFD-0xFF stand for nothing")
        << QByteArray("\x80" "a\xA0" "b\xFD\xFE\xFF" "c")
        << kFFFD + u'a' + kFFFD + u'b' + kFFFD + kFFFD + kFFFD + u'c';
    QTest::newRow("lone trail byte of a lost lead byte")
        << QByteArray("x\xA0\x82\xA2") << u'x' + kFFFD + QStringLiteral("い");
    QTest::newRow("lead byte cut off at end of input, a trail byte beyond it unread")
        << QByteArray::fromRawData("ab\x82\xA0", 3) << QStringLiteral("ab") + kFFFD;
    QTest::newRow("unassigned lead+ASCII pair keeps the ASCII byte")
        << QByteArray("\x85\x40" "A") << kFFFD + QStringLiteral("@A");
    QTest::newRow("lead byte before CR LF keeps the line end")
        << QByteArray("\x82\r\nz") << kFFFD + QStringLiteral("\r\nz");
    QTest::newRow("unassigned code with a non-ASCII trail is one fault")
        << QByteArray("\x85\x9F" "A") << kFFFD + u'A';
    QTest::newRow("lead byte before a byte that cannot trail")
        << QByteArray("\x82\xFD" "A") << kFFFD + kFFFD + u'A';
}

void TestCp932::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(cp932Decode(bytes), expected);
}

void TestCp932::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("ASCII with backslash and tilde")
        << QStringLiteral("C:\\roll~1\r\n") << QByteArray("C:\\roll~1\r\n");
    QTest::newRow("hiragana and kanji") << QStringLiteral("あ亜") << QByteArray("\x82\xA0\x88\x9F");
    QTest::newRow("half-width katakana") << QStringLiteral("ｱﾟ") << QByteArray("\xB1\xDF");

    // Text pasted from elsewhere carries the other forms of the seven.
    QTest::newRow("wave dash as 0x8160") << ch(0x301C) << QByteArray("\x81\x60");
    QTest::newRow("em dash as 0x815C") << ch(0x2014) << QByteArray("\x81\x5C");
    QTest::newRow("double vertical line as 0x8161") << ch(0x2016) << QByteArray("\x81\x61");
    QTest::newRow("minus sign as 0x817C") << ch(0x2212) << QByteArray("\x81\x7C");
    QTest::newRow("cent sign as 0x8191") << ch(0x00A2) << QByteArray("\x81\x91");
    QTest::newRow("pound sign as 0x8192") << ch(0x00A3) << QByteArray("\x81\x92");
    QTest::newRow("not sign as 0x81CA") << ch(0x00AC) << QByteArray("\x81\xCA");
    QTest::newRow("yen sign and overline as 0x5C and 0x7E, shown so by Japanese fonts")
        << ch(0x00A5) + ch(0x203E) << QByteArray("\x5C\x7E");

    // Characters with more than one code take the one Windows writes.
    QTest::newRow("approximately equal: JIS code, not NEC row 13")
        << ch(0x2252) << QByteArray("\x81\xE0");
    QTest::newRow("because: JIS code, not NEC or IBM") << ch(0x2235) << QByteArray("\x81\xE6");
    QTest::newRow("fullwidth not: JIS code, not NEC-selected or IBM")
        << ch(0xFFE2) << QByteArray("\x81\xCA");
    QTest::newRow("roman one: NEC row 13, not IBM") << ch(0x2160) << QByteArray("\x87\x54");
    QTest::newRow("small roman one: IBM, not NEC-selected")
        << ch(0x2170) << QByteArray("\xFA\x40");
    QTest::newRow("kanji in both extension sets: IBM") << QStringLiteral("纊髙")
                                                        << QByteArray("\xFA\x5C\xFB\xFC");

    // One '?' per character code page 932 cannot represent.
    QTest::newRow("accented Latin letter") << QStringLiteral("café") << QByteArray("caf?");
    QTest::newRow("emoji surrogate pair is one character")
        << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("lone high surrogate") << u'a' + lone(0xD800) + u'b' << QByteArray("a?b");
    QTest::newRow("lone low surrogate") << lone(0xDC00) + u'b' << QByteArray("?b");
    QTest::newRow("two high surrogates are two characters")
        << lone(0xD83D) + lone(0xD83D) + u'b' << QByteArray("??b");
    QTest::newRow("high surrogate at the end") << u'a' + lone(0xD83D) << QByteArray("a?");
    QTest::newRow("replacement character from a bad decode") << kFFFD << QByteArray("?");
}

void TestCp932::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(cp932Encode(text), expected);
}

void TestCp932::unencodableChars_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("other forms of the seven and yen are not reported")
        << QStringLiteral("〜—‖−¢£¬¥ ①ⅰ髙ｱ") << QString();
    QTest::newRow("each character once, in order of first appearance")
        << QStringLiteral("éあü😀éü😀") << QStringLiteral("éü😀");
    QTest::newRow("lone surrogate is named as U+FFFD")
        << u'a' + lone(0xDC00) + QStringLiteral("😀") << kFFFD + QStringLiteral("😀");
}

void TestCp932::unencodableChars()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(cp932UnencodableChars(text), expected);
}

void TestCp932::lossesCountTheQuestionMarks_data()
{
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QList<qsizetype>>("lines");
    QTest::newRow("nothing lost, the other forms of the seven included")
        << QStringList{QStringLiteral("〜—‖−¢£¬¥?\n")} << QString() << QList<qsizetype>{};
    QTest::newRow("a surrogate pair is one character, each line once")
        << QStringList{QStringLiteral("a😀😀\nb\n😀")} << QStringLiteral("😀") << QList<qsizetype>{1, 3};
    QTest::newRow("pieces that end inside a line")
        << QStringList{QStringLiteral("한"), QStringLiteral("국\nx"), QStringLiteral("\n한")}
        << QStringLiteral("한국") << QList<qsizetype>{1, 3};
    QTest::newRow("lone surrogate is named as U+FFFD")
        << QStringList{u'a' + lone(0xDC00)} << kFFFD << QList<qsizetype>{1};
}

// What is counted is what cp932Encode turns into '?'.
void TestCp932::lossesCountTheQuestionMarks()
{
    QFETCH(QStringList, pieces);
    QFETCH(QString, characters);
    QFETCH(QList<qsizetype>, lines);
    Cp932Losses losses;
    for (const QString &piece : pieces)
        losses.add(piece);
    const QString text = pieces.join(QString());
    QCOMPARE(losses.count(), cp932Encode(text).count('?') - text.count(u'?'));
    QCOMPARE(losses.isEmpty(), characters.isEmpty());
    QCOMPARE(losses.characters(), characters);
    QCOMPARE(losses.lines(), lines);
    QCOMPARE(losses.lineCount(), lines.size());
}

// The save command asks before writing '?': all three functions must agree.
void TestCp932::canEncodeAgreesWithEncode()
{
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const QString s = ch(c);
        const bool viaEncode = cp932Encode(s) != "?" || c == u'?';
        if (cp932CanEncode(c) != viaEncode || cp932UnencodableChars(s).isEmpty() != viaEncode)
            QFAIL(qPrintable(QStringLiteral("disagreement at U+%1").arg(uint(c), 4, 16, QLatin1Char('0'))));
    }
    QVERIFY(!cp932CanEncode(0x1F600));
    QVERIFY(!cp932CanEncode(0xD800));
    QVERIFY(!cp932CanEncode(0x110000));
}

void TestCp932::noPairSwallowsAFollowingAsciiByte()
{
    for (int lead = 0x80; lead < 0x100; ++lead) {
        for (int trail = 0; trail < 0x100; ++trail) {
            const char bytes[] = {char(lead), char(trail), '\n'};
            const QString s = cp932Decode(QByteArrayView(bytes, 3));
            // An ASCII second byte is either part of an assigned pair or kept.
            const bool ok = s.endsWith(u'\n')
                            && (trail >= 0x80 || (s.size() == 2 && s[0] != kFFFD)
                                || s.endsWith(QChar(trail) + u'\n'));
            if (!ok)
                QFAIL(qPrintable(QStringLiteral("bytes %1 %2").arg(lead, 2, 16).arg(trail, 2, 16)));
        }
    }
}

void TestCp932::everyAssignedCodeRoundTrips()
{
    QHash<QChar, int> codesPerChar;
    QList<QPair<QByteArray, QChar>> assigned;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[] = {char(lead), char(trail)};
            const QByteArray code(pair, 2);
            const QString s = cp932Decode(code);
            if (s.size() == 1 && s != kFFFD) {
                assigned.append({code, s[0]});
                ++codesPerChar[s[0]];
            }
        }
    }
    // JIS X 0208, NEC row 13, NEC-selected IBM and IBM extensions, user-defined area.
    QCOMPARE(assigned.size(), 6879 + 83 + 374 + 388 + 1880);

    for (const auto &[code, c] : std::as_const(assigned)) {
        const QByteArray back = cp932Encode(QStringView(&c, 1));
        // A character with duplicate codes must at least come back as itself.
        const bool ok = codesPerChar[c] == 1 ? back == code : cp932Decode(back) == QString(c);
        if (!ok)
            QFAIL(qPrintable(QStringLiteral("code %1 did not round-trip").arg(QString::fromLatin1(code.toHex()))));
    }
}

void TestCp932::foldingLineEndsWhileDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("broken");
    QTest::newRow("CR LF, lone CR, LF") << QByteArray("a\r\nb\rc\nd") << QStringLiteral("a\nb\nc\nd") << 0;
    QTest::newRow("CR CR LF is two breaks") << QByteArray("a\r\r\nb") << QStringLiteral("a\n\nb") << 0;
    QTest::newRow("CR at the very end") << QByteArray("ab\r") << QStringLiteral("ab\n") << 0;
    QTest::newRow("CR inside a run of eight ASCII bytes")
        << QByteArray("0123456\r\n89abcdef\r\n") << QStringLiteral("0123456\n89abcdef\n") << 0;
    QTest::newRow("CR LF split across two runs of eight")
        << QByteArray("x0123456\r\nabcdefgh") << QStringLiteral("x0123456\nabcdefgh") << 0;
    QTest::newRow("Japanese lines") << QByteArray("\x82\xA0\r\n\x88\x9F\r\n")
                                    << QStringLiteral("あ\n亜\n") << 0;
    QTest::newRow("broken bytes are counted") << QByteArray("\x80\r\n\xFD\x82") << (QStringLiteral("\uFFFD\n\uFFFD\uFFFD")) << 3;
}

void TestCp932::foldingLineEndsWhileDecoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QFETCH(int, broken);
    qsizetype counted = -1;
    QCOMPARE(cp932Decode(bytes, LineEnds::Fold, &counted), expected);
    QCOMPARE(counted, qsizetype(broken));
}

void TestCp932::foldingAgreesWithDecodingThenFolding()
{
    // Random mixes of ASCII, CR, LF, double-byte codes and broken bytes, so that
    // line ends fall at every place of the eight-byte runs.
    const QByteArray pieces[] = {"a", "0123456", "\r", "\n", "\r\n", "\x82\xA0", "\x88\x9F", "\xB1", "\x80", "\x82"};
    QRandomGenerator random(20261210);
    for (int round = 0; round < 5000; ++round) {
        QByteArray bytes;
        const int length = int(random.bounded(30));
        for (int i = 0; i < length; ++i)
            bytes += pieces[random.bounded(int(std::size(pieces)))];
        QString expected = cp932Decode(bytes);
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        qsizetype broken = -1;
        QCOMPARE(cp932Decode(bytes, LineEnds::Fold, &broken), expected);
        QCOMPARE(broken, expected.count(QChar::ReplacementCharacter));
    }
}

QTEST_APPLESS_MAIN(TestCp932)
#include "tst_cp932.moc"
