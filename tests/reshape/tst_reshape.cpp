#include "analysis/MorphemeRecord.h"
#include "reshape/Reshape.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"

#include "bench/reference/ReshapeReference.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

WordList wordsOf(const QStringList &words)
{
    WordList list;
    for (const QString &w : words)
        list.add(w);
    return list;
}

QString readUtf8(const QString &name)
{
    QFile f(testDataPath(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return QString::fromUtf8(f.readAll());
}

} // namespace

class TestReshape : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void byChars_data();
    void byChars();
    void byWords_data();
    void byWords();
    void characterWithMarksIsOneUnit_data();
    void characterWithMarksIsOneUnit();
    void byPixels_data();
    void byPixels();
    void roll_data();
    void roll();
    void joinAndBreak();
    void wordsNeverMakeAComment_data();
    void wordsNeverMakeAComment();
    void wordListIgnoresCaseForDuplicates();
    void wordListLeavesOutBrokenWords_data();
    void wordListLeavesOutBrokenWords();
    void matchesStepByStepReference_data();
    void matchesStepByStepReference();
};

void TestReshape::byChars_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("chars");
    QTest::addColumn<bool>("blank");
    QTest::addColumn<QString>("item");
    const QString a25 = QString(25, u'あ');
    QTest::newRow("25 full-width: 10, 10, 5") << a25 << 10 << false
        << QString(10, u'あ') + u'\n' + QString(10, u'あ') + u'\n' + QString(5, u'あ');
    QTest::newRow("exactly 20 full-width: two lines, nothing more") << QString(20, u'あ') << 10 << false
        << QString(10, u'あ') + u'\n' + QString(10, u'あ');
    QTest::newRow("comment continuation carries the marker in its count")
        << u"<-"_s + QString(20, u'あ') << 10 << false
        << u"<-"_s + QString(8, u'あ') + u"\n<-"_s + QString(8, u'あ') + u"\n<-"_s + QString(4, u'あ');
    QTest::newRow("blank line after every piece") << QString(15, u'あ') << 10 << true
        << QString(10, u'あ') + u"\n\n"_s + QString(5, u'あ') + u'\n';
    QTest::newRow("surrogate pair is not split") << QString(9, u'あ') + u"𠮟𠮟"_s << 10 << false
        << QString(9, u'あ') + u"\n𠮟𠮟"_s;
    QTest::newRow("zero refuses to cut") << a25 << 0 << false << a25;
    QTest::newRow("caption piece never starts with <-: one character earlier")
        << u"abcdefgh<-xyz"_s << 4 << false << u"abcd\nefg\nh<-x\nyz"_s;
    QTest::newRow("after a single character, < goes alone") << u"𠮷<-x"_s << 2 << false << u"𠮷\n<\n-x"_s;
    QTest::newRow("comment with room for the marker only stays whole") << u"<-abcdef"_s << 2 << false << u"<-abcdef"_s;
}

void TestReshape::byChars()
{
    QFETCH(QString, line);
    QFETCH(int, chars);
    QFETCH(bool, blank);
    QFETCH(QString, item);
    QCOMPARE(reshapeLineByChars(line, chars, blank ? u"\n"_s : QString()), item);
}

void TestReshape::byWords_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("item");
    const QStringList weather{u"今日"_s, u"は"_s, u"とても"_s, u"良い"_s, u"天気"_s, u"です"_s};
    QTest::newRow("breaks only between words")
        << u"今日はとても良い天気です"_s << weather << 10 << u"今日は\nとても良い\n天気です"_s;
    QTest::newRow("custom word kept whole")
        << u"今日はとても良い天気です"_s << (QStringList(weather) << u"良い天気"_s) << 10
        << u"今日は\nとても\n良い天気\nです"_s;
    QTest::newRow("word exactly at the limit")
        << u"あいうえおかきくけこさし"_s << QStringList{u"あいうえおかきくけこ"_s, u"さし"_s} << 20
        << u"あいうえおかきくけこ\nさし"_s;
    QTest::newRow("word wider than the limit stands alone")
        << u"はあいうえおかきくけこさし"_s << QStringList{u"は"_s, u"あいうえおかきくけこさ"_s} << 20
        << u"は\nあいうえおかきくけこさ\nし"_s;
    QTest::newRow("no words known: runs that fit")
        << QString(25, u'あ') << QStringList{} << 20 << QString(10, u'あ') + u'\n' + QString(10, u'あ') + u'\n' + QString(5, u'あ');
    QTest::newRow("comment continuation starts with the marker")
        << u"<-今日はとても良い天気です"_s << (QStringList(weather) << u"<-"_s) << 10
        << u"<-今日は\n<-とても良い\n<-天気です"_s;
    QTest::newRow("custom word kept whole after a short word")
        << u"あ良い天気です"_s << QStringList{u"良い天気"_s, u"です"_s, u"あ"_s} << 10
        << u"あ良い天気\nです"_s;
    QTest::newRow("a lone surrogate entry never splits a pair")
        << QString(6, u'あ') + u"😀😀😀"_s << QStringList{u"\xD83D"_s, u"\xDE00"_s} << 14
        << QString(6, u'あ') + u"😀😀\n😀"_s;
    QTest::newRow("custom word with trailing blank matches only with it")
        << u"あ良い天気です"_s << QStringList{u"良い天気 "_s, u"です"_s, u"あ"_s} << 10
        << u"あ\n良い天気\nです"_s;
}

void TestReshape::byWords()
{
    QFETCH(QString, line);
    QFETCH(QStringList, words);
    QFETCH(int, limit);
    QFETCH(QString, item);
    CellWidth cells;
    const WordList list = wordsOf(words);
    QCOMPARE(reshapeLineByWords(line, limit, list, cells, QString()), item);
    // The step-by-step reference agrees.
    QCOMPARE(reference::reshapeLineByWords(line, limit, list.sortedByLength(), QString()), item);
}

void TestReshape::characterWithMarksIsOneUnit_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("size"); // characters, or cells
    QTest::addColumn<QString>("item");
    // Each piece held all the rest but the loop went on: an empty line followed.
    QTest::newRow("three emoji, one a line") << u"chars"_s << u"😀😀😀"_s << 1 << u"😀\n😀\n😀"_s;
    QTest::newRow("accent stays with its letter") << u"chars"_s << u"abcde\u0301fg"_s << 5 << u"abcd\ne\u0301fg"_s;
    QTest::newRow("mark longer than a piece") << u"chars"_s << u"e\u0301\u0302\u0303x"_s << 2 << u"e\u0301\u0302\u0303\nx"_s;
    QTest::newRow("voicing mark, by width") << u"width"_s << u"あいうえか\u3099き"_s << 10 << u"あいうえ\nか\u3099き"_s;
    // The word 「か」 matched the base of a decomposed 「が」 and tore its mark off.
    QTest::newRow("voicing mark, by words") << u"words"_s << u"ああああか\u3099いいいい"_s << 10
                                            << u"ああああ\nか\u3099\nいいいい"_s;
    QTest::newRow("ruby code, by characters") << u"chars"_s << u"あい`rかんじ`s漢字う"_s << 4 << u"あい\n`rかんじ`s漢\n字う"_s;
}

void TestReshape::characterWithMarksIsOneUnit()
{
    QFETCH(QString, how);
    QFETCH(QString, line);
    QFETCH(int, size);
    QFETCH(QString, item);
    CellWidth cells;
    const WordList words = wordsOf({u"か"_s, u"ああああ"_s, u"いいいい"_s});
    if (how == u"chars")
        QCOMPARE(reshapeLineByChars(line, size, {}), item);
    else if (how == u"width")
        QCOMPARE(reshapeLineByWidth(line, size, cells, {}), item);
    else
        QCOMPARE(reshapeLineByWords(line, size, words, cells, {}), item);
}

void TestReshape::byPixels_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("item");
    QTest::newRow("20 full-width over 640: 8, 8, 4") << QString(20, u'漢') << 640
        << QString(8, u'漢') + u'\n' + QString(8, u'漢') + u'\n' + QString(4, u'漢');
    QTest::newRow("exactly the screen is untouched") << QString(8, u'漢') << 584 << QString(8, u'漢');
    QTest::newRow("comment pieces begin with one marker") << u"<-"_s + QString(16, u'漢') << 640
        << u"<-"_s + QString(7, u'漢') + u"\n<-"_s + QString(7, u'漢') + u"\n<-"_s + QString(2, u'漢');
    // The last piece is cut off too, leaving an empty line after it.
    QTest::newRow("a character wider than the screen moves alone") << u"漢字"_s << 50 << u"漢\n字\n"_s;
    QTest::newRow("comment on a tiny screen still ends") << u"<-漢字"_s << 100 << u"<-\n<-漢\n<-字\n<-"_s;
    QTest::newRow("caption piece never starts with <-") << QString(8, u'漢') + u"<-漢"_s << 584
        << QString(7, u'漢') + u"\n漢<-漢"_s;
    QTest::newRow("after a character wider than the screen, < goes alone") << u"漢<-漢"_s << 50
        << u"漢\n<\n-\n漢\n"_s;
}

void TestReshape::byPixels()
{
    QFETCH(QString, line);
    QFETCH(int, screen);
    QFETCH(QString, item);
    PixelWidth px(u"ＭＳ ゴシック"_s, 55);
    const ReshapeOptions options;
    const QStringList items = reshapeRoll({line}, screen, 0, ReshapeOptions{true, false, {}}, nullptr, px);
    QCOMPARE(items, QStringList{item});
    // No resulting line is over the screen unless it is a single character (plus marker).
    for (const QString &piece : item.split(u'\n'))
        QVERIFY(px.width(piece) <= screen || piece.size() <= 3);
}

void TestReshape::roll_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("plasticComment");
    QTest::addColumn<bool>("blank");
    QTest::addColumn<QStringList>("items");
    const QString longComment = u"<-"_s + QString(20, u'あ');
    QTest::newRow("15 half-width cells are not touched") << QStringList{QString(15, u'a')} << false << false
                                                         << QStringList{QString(15, u'a')};
    QTest::newRow("25 half-width become 10, 10, 5") << QStringList{QString(25, u'a')} << false << false
        << QStringList{QString(10, u'a') + u'\n' + QString(10, u'a') + u'\n' + QString(5, u'a')};
    QTest::newRow("over-long comment left alone") << QStringList{longComment} << false << false
                                                  << QStringList{longComment};
    QTest::newRow("over-long comment reshaped when asked") << QStringList{longComment} << true << false
        << QStringList{u"<-"_s + QString(8, u'あ') + u"\n<-"_s + QString(8, u'あ') + u"\n<-"_s + QString(4, u'あ')};
    QTest::newRow("blank line after short and empty lines too") << QStringList{u"短い"_s, QString()} << false << true
                                                                << QStringList{u"短い\n"_s, u"\n"_s};
}

void TestReshape::roll()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, plasticComment);
    QFETCH(bool, blank);
    QFETCH(QStringList, items);
    CellWidth cells;
    QCOMPARE(reshapeRoll(lines, 20, 10, ReshapeOptions{plasticComment, blank, {}}, nullptr, cells), items);
}

void TestReshape::joinAndBreak()
{
    QCOMPARE(joinAndBreakAtMarks({u"今日は。"_s, u"明日は／雨"_s}),
             (QStringList{u"今日は。"_s, u"明日は／"_s, u"雨"_s}));
    QCOMPARE(itemsToText({u"a\nb"_s, u"c"_s}), u"a\nb\nc\n"_s);
    // A break before "<-" would make a comment: it comes before the mark.
    QCOMPARE(joinAndBreakAtMarks({u"今日は。"_s, u"<-メモ。"_s, u"。<-続き"_s}),
             (QStringList{u"今日は"_s, u"。<-メモ。"_s, u"。<-続き"_s}));
}

void TestReshape::wordsNeverMakeAComment_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("item");
    QTest::newRow("a listed word that begins with <-")
        << u"今日は<-メモです"_s << QStringList{u"今日"_s, u"は"_s, u"<-メモ"_s, u"です"_s}
        << u"今日\nは<\n-メモ\nです"_s;
    QTest::newRow("a run that would end before <-") << u"あいうえお<-かき"_s << QStringList{}
                                                    << u"あいうえ\nお<-かき"_s;
}

void TestReshape::wordsNeverMakeAComment()
{
    QFETCH(QString, line);
    QFETCH(QStringList, words);
    QFETCH(QString, item);
    CellWidth cells;
    const int limit = words.isEmpty() ? 10 : 6;
    QCOMPARE(reshapeLineByWords(line, limit, wordsOf(words), cells, QString()), item);
}

void TestReshape::wordListIgnoresCaseForDuplicates()
{
    WordList list;
    list.add(u"ABC"_s);
    list.add(u"abc"_s);
    list.add(QString());
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.longestAt(u"abcd"_s, 0), 0); // matching itself is exact
    QCOMPARE(list.longestAt(u"xABC"_s, 1), 3);
}

void TestReshape::wordListLeavesOutBrokenWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("usable");
    QTest::newRow("plain") << u"要約筆記"_s << true;
    QTest::newRow("surrogate pair") << u"𠮷野家"_s << true;
    QTest::newRow("lone high surrogate at the end") << u"顔\xD83D"_s << false;
    QTest::newRow("lone high surrogate before a letter") << u"\xD83D" u"a"_s << false;
    QTest::newRow("lone low surrogate") << u"\xDE00顔"_s << false;
    QTest::newRow("undecodable bytes") << u"良い\uFFFD"_s << false;
}

void TestReshape::wordListLeavesOutBrokenWords()
{
    QFETCH(QString, word);
    QFETCH(bool, usable);
    QCOMPARE(WordList::isUsableWord(word), usable);
    const WordList list = WordList::build({}, {u"前"_s, word, QString(), word});
    QCOMPARE(list.size(), usable ? 2 : 1);
    const QList<qsizetype> unusable = usable ? QList<qsizetype>{} : QList<qsizetype>{2, 4};
    QCOMPARE(WordList::unusableLines({u"前"_s, word, QString(), word}), unusable);
}

void TestReshape::matchesStepByStepReference_data()
{
    QTest::addColumn<int>("chars");
    QTest::addColumn<bool>("plasticComment");
    QTest::addColumn<bool>("blank");
    QTest::addColumn<QStringList>("custom");
    QTest::newRow("10 per line") << 10 << false << false << QStringList{};
    QTest::newRow("7 per line, comments, blank lines") << 7 << true << true << QStringList{};
    QTest::newRow("13 per line, custom words") << 13 << false << false
        << QStringList{u"要約筆記"_s, u"地域福祉研究会"_s, u"合理的配慮"_s, u"山田一郎"_s};
    QTest::newRow("3 per line") << 3 << true << false << QStringList{u"ありがとうございます"_s};
}

void TestReshape::matchesStepByStepReference()
{
    QFETCH(int, chars);
    QFETCH(bool, plasticComment);
    QFETCH(bool, blank);
    QFETCH(QStringList, custom);
    const QStringList lines = readUtf8(u"roll-sample.txt"_s).split(u'\n');
    const WordList words = WordList::build(distinctSurfaces(readUtf8(u"roll-sample.morphemes"_s)), custom);
    QVERIFY(words.size() > 100);
    CellWidth cells;
    const QString extra = blank ? u"\n"_s : QString();
    const QStringList ours = reshapeRoll(lines, 2 * chars, chars, ReshapeOptions{plasticComment, blank, {}}, &words, cells);
    const QStringList theirs = reference::reshapeRoll(lines, 2 * chars, words.sortedByLength(), plasticComment, extra);
    QCOMPARE(ours, theirs);
    QVERIFY(ours != lines); // the sample really was reshaped
}

QTEST_MAIN(TestReshape)
#include "tst_reshape.moc"
