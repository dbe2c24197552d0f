// The roll as rich text: what the suspend file and autosave copies hold must
// come back line for line, and a plain roll put in their place is accepted.
#include "roll/RollRtf.h"
#include "platform/Cp932.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRollRtf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty roll") << QStringList();
        QTest::newRow("one empty line") << QStringList{QString()};
        QTest::newRow("one line") << QStringList{u"今日は良い天気です。"_s};
        QTest::newRow("comment and caption") << QStringList{u"<-◆第一部"_s, u"講師／皆さん、こんにちは。"_s};
        QTest::newRow("ideographic spaces") << QStringList{u"　字下げ　と　空白"_s};
        QTest::newRow("rtf specials") << QStringList{u"{a\\b}"_s, u"\\par {\\rtf1"_s};
        QTest::newRow("tab and ascii") << QStringList{u"a\tb ~ ?"_s};
        QTest::newRow("beyond the BMP and Shift-JIS") << QStringList{u"𠮟る ①﨑 ♪ ñ"_s};
        QTest::newRow("empty lines between and at the end")
            << QStringList{u"一"_s, QString(), QString(), u"二"_s, QString()};
        QTest::newRow("half-width kana") << QStringList{u"ｶﾀｶﾅﾞ"_s};
    }
    void roundTrip()
    {
        QFETCH(QStringList, lines);
        const CommentKinds kinds{true, true, true, true};
        const QByteArray rtf = rollToRtf(lines, kinds);
        for (const char c : rtf)
            QVERIFY2(uchar(c) < 0x80, "rich text is written in ASCII only");
        const RollFromFile read = rollFromFileBytes(rtf);
        QVERIFY(read.rich);
        QVERIFY(read.complete);
        QCOMPARE(read.text, lines.join(u'\n'));
    }

    void colours()
    {
        const QByteArray rtf = rollToRtf({u"<-注"_s, u"a　b"_s, u"<-■x"_s}, CommentKinds{});
        QVERIFY(rtf.contains("{\\highlight1 <-\\u27880?}")); // a recognised comment on grey
        QVERIFY(rtf.contains("a{\\highlight2 \\u12288?}b")); // ideographic space on light blue
        QVERIFY(rtf.contains("\\par\r\n{\\highlight1 <-\\u9632?x}")); // "<-" covers "<-■" too
    }

    void otherWriters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("code-page bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'8a\\'bf\\par x}")
                                         << u"あ漢\nx"_s;
        QTest::newRow("unicode with two fallback bytes")
            << QByteArray("{\\rtf1\\uc2 \\u28450\\'8a\\'bf!}") << u"漢!"_s;
        QTest::newRow("ignorable destination and info")
            << QByteArray("{\\rtf1{\\*\\generator Foo;}{\\info{\\title T}}a\\line b}") << u"a\nb"_s;
        QTest::newRow("line ends in the file are not text")
            << QByteArray("{\\rtf1 a\r\nb\\par\r\nc}") << u"ab\nc"_s;
        QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-497?}") << u"\uFE0F"_s;
    }
    void otherWriters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const RollFromFile read = rollFromFileBytes(bytes);
        QVERIFY(read.rich);
        QCOMPARE(read.text, text);
    }

    void plainTextInstead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("shift-jis crlf") << cp932Encode(u"一行目\r\n二行目\r\n"_s) << u"一行目\n二行目\n"_s;
        QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF\xE3\x81\x82\r\n") << u"あ\n"_s;
        QTest::newRow("empty file") << QByteArray() << QString();
    }
    void plainTextInstead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const RollFromFile read = rollFromFileBytes(bytes);
        QVERIFY(!read.rich);
        QCOMPARE(read.text, text);
    }

    void cutShortIsNoticed()
    {
        const QByteArray rtf = rollToRtf({u"一行目"_s, u"二行目"_s}, CommentKinds{});
        const RollFromFile read = rollFromFileBytes(rtf.left(rtf.indexOf("\\par\r\n") + 6));
        QVERIFY(read.rich);
        QVERIFY(!read.complete);
        QCOMPARE(read.text, u"一行目\n"_s);
    }

    void damageIsCounted_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("broken");
        // A fallback run that would swallow the rest of the roll ends at the
        // line break; what it took from its line is lost, and counted.
        QTest::newRow("huge \\uc count") << QByteArray("{\\rtf1\\uc1000000 \\u12354?abc\\par \\u12356?d}")
                                        << u"あ\n\u3044"_s << 2;
        QTest::newRow("fallback run open at the group end")
            << QByteArray("{\\rtf1{\\uc3 \\u12354?}x}") << u"あx"_s << 1;
        QTest::newRow("NUL as \\u0") << QByteArray("{\\rtf1 a\\u0?b}") << u"a\uFFFDb"_s << 1;
        QTest::newRow("NUL as a code-page byte") << QByteArray("{\\rtf1 a\\'00b}") << u"a\uFFFDb"_s << 1;
        QTest::newRow("lone high surrogate") << QByteArray("{\\rtf1 \\u-10179?x}") << u"\uFFFDx"_s << 1;
        QTest::newRow("lone low surrogate at the end") << QByteArray("{\\rtf1 x\\u-8960?}") << u"x\uFFFD"_s << 1;
        QTest::newRow("surrogate pair is one character")
            << QByteArray("{\\rtf1 \\u-10179?\\u-8960?}") << u"\U0001F500"_s << 0;
        QTest::newRow("broken Shift-JIS byte") << QByteArray("{\\rtf1 \\'80a}") << u"\uFFFDa"_s << 1;
        QTest::newRow("fallback inside a skipped destination is not damage")
            << QByteArray("{\\rtf1{\\*\\foo \\uc2\\u12354?}a}") << u"a"_s << 0;
    }
    void damageIsCounted()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, broken);
        const RollFromFile read = rollFromFileBytes(bytes);
        QCOMPARE(read.text, text);
        QCOMPARE(read.brokenSequences, broken);
        QCOMPARE(read.intact(), broken == 0);
    }

    void copiesAreKnownByTheirStart_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<bool>("copy");
        const QByteArray copy = rollToRtf({u"<-◆見出し"_s}, CommentKinds{});
        QTest::newRow("a copy") << copy.left(kRollRtfSignatureBytes) << true;
        QTest::newRow("a copy with a UTF-8 mark") << ("\xEF\xBB\xBF" + copy).left(kRollRtfSignatureBytes) << true;
        QTest::newRow("another writer's rich text")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033{\\fonttbl}") << false;
        QTest::newRow("plain text") << QByteArray("<-\x81\x9F") << false;
        QTest::newRow("nothing") << QByteArray() << false;
    }
    void copiesAreKnownByTheirStart()
    {
        QFETCH(QByteArray, head);
        QFETCH(bool, copy);
        QCOMPARE(startsAsRollRtf(head), copy);
    }

    void hostileBytesDoNotCrash()
    {
        QRandomGenerator random(20261211);
        const QByteArray alphabet("{}\\'uc0123456789abcdefpar*-\r\n \x82\xa0");
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes("{\\rtf1");
            const int size = random.bounded(200);
            for (int i = 0; i < size; ++i)
                bytes += alphabet[random.bounded(alphabet.size())];
            rollFromFileBytes(bytes);
        }
        // Deep nesting and a huge \u number.
        rollFromFileBytes(QByteArray("{\\rtf1") + QByteArray(100000, '{') + "\\u99999999999x");
    }
};

QTEST_GUILESS_MAIN(TestRollRtf)
#include "tst_rollrtf.moc"
