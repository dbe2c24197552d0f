// Furigana: the kana mapping, which analyser records give words, the scan
// over the roll (hand-made records where the analyser would not give what a
// case needs, the real analyser where it does), and the fast dictionary
// against the sorted list the captioners' tool looks words up in.
#include "analysis/Furigana.h"
#include "analysis/KanaMapping.h"
#include "bench/reference/AdviceReference.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFurigana : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void kanaMapping_data();
    void kanaMapping();
    void takesFurigana_data();
    void takesFurigana();
    void readingsBeyond254BytesAreEmpty();
    void scan_data();
    void scan();
    void sameSurfaceTakesTheFirstReadingInOrder();
    void stoppedScanGivesNothing();
    void needsFuriganaByGrade_data();
    void needsFuriganaByGrade();
    void scanByGrade_data();
    void scanByGrade();
    void gradeOnlyLeavesCodesOut_data();
    void gradeOnlyLeavesCodesOut();
    void realAnalyser_data();
    void realAnalyser();
    void sameAsTheSortedList_data();
    void sameAsTheSortedList();
};

void TestFurigana::initTestCase()
{
    if (!QFile::exists(kTestChasen))
        QFAIL("ChaSen is not installed (the set-up script installs it)");
}

void TestFurigana::kanaMapping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hiragana");
    QTest::newRow("full-width") << u"テレビ"_s << u"てれび"_s;
    QTest::newRow("small letters and marks") << u"ァィゥェォッャュョヮヽヾー"_s << u"ぁぃぅぇぉっゃゅょゎゝゞー"_s;
    QTest::newRow("no hiragana in Shift-JIS: stays") << u"ヴァイオリンとヵヶ"_s << u"ヴぁいおりんとヵヶ"_s;
    QTest::newRow("half-width") << u"ｱｲｳｴｵﾝｦｯｬｰ"_s << u"あいうえおんをっゃー"_s;
    QTest::newRow("half-width voiced") << u"ｶﾞｷﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾟﾎﾟ"_s << u"がぎづでどばぴぽ"_s;
    QTest::newRow("half-width vu") << u"ｳﾞｨ"_s << u"ヴぃ"_s;
    QTest::newRow("half-width with small kana and sound marks") << u"ｶﾞｯｺｳﾊﾟｰﾃｨｰ"_s << u"がっこうぱーてぃー"_s;
    QTest::newRow("marks that voice nothing") << u"ｱﾞﾏﾟﾞ"_s << u"あ゛ま゜゛"_s;
    QTest::newRow("marks alone after a kana") << u"ｱﾞﾟｳﾞ"_s << u"あ゛゜ヴ"_s;
    QTest::newRow("other characters stay") << u"漢字ABCａｂｃ、。ひらがな"_s << u"漢字ABCａｂｃ、。ひらがな"_s;
}

void TestFurigana::kanaMapping()
{
    QFETCH(QString, text);
    QFETCH(QString, hiragana);
    QCOMPARE(katakanaToHiragana(text), hiragana);
}

void TestFurigana::takesFurigana_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("takes");
    QTest::newRow("noun") << u"漢字,漢字,カンジ,名詞-一般"_s << true;
    QTest::newRow("suffix noun") << u"人,人,ニン,名詞-接尾-助数詞"_s << true;
    QTest::newRow("general verb") << u"書く,書く,カク,動詞-一般"_s << true;
    QTest::newRow("independent verb") << u"書く,書く,カク,動詞-自立"_s << false;
    QTest::newRow("number") << u"三,三,サン,名詞-数"_s << false;
    QTest::newRow("number further down") << u"一つ,一つ,ヒトツ,名詞-副詞可能-名詞-数"_s << false;
    QTest::newRow("particle") << u"は,は,ハ,助詞-係助詞"_s << false;
    QTest::newRow("ASCII letter first") << u"PC,PC,ピーシー,名詞-一般"_s << false;
    QTest::newRow("ASCII digit first") << u"3D,3D,スリーディー,名詞-一般"_s << false;
    QTest::newRow("full-width letters") << u"ＰＣ,ＰＣ,ピーシー,名詞-一般"_s << true;
    QTest::newRow("half-width kana") << u"ｶﾀ,ｶﾀ,カタ,名詞-一般"_s << false;
    QTest::newRow("not in Shift-JIS") << u"😀,😀,エモジ,名詞-一般"_s << false;
    QTest::newRow("unknown word") << u"ぴ,,,未知語"_s << false;
    QTest::newRow("three fields") << u"漢字,漢字,カンジ"_s << false;
}

void TestFurigana::takesFurigana()
{
    QFETCH(QString, record);
    QFETCH(bool, takes);
    QCOMPARE(::takesFurigana(parseRecord(record)), takes);
}

void TestFurigana::readingsBeyond254BytesAreEmpty()
{
    QCOMPARE(furiganaReading(u"ア"_s.repeated(127)), u"あ"_s.repeated(127));
    QCOMPARE(furiganaReading(u"ア"_s.repeated(128)), QString());
    // The hiragana form counts: half-width kana become two bytes each, ASCII stays one.
    QCOMPARE(furiganaReading(u"ｱ"_s.repeated(128)), QString());
    QCOMPARE(furiganaReading(u"A"_s.repeated(254)), u"A"_s.repeated(254));
    QCOMPARE(furiganaReading(u"A"_s.repeated(255)), QString());
}

void TestFurigana::scan_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("furigana");
    const QStringList kanji{u"漢字,漢字,カンジ,名詞-一般"_s, u"かんじ,かんじ,カンジ,名詞-一般"_s};
    const QStringList tokyo{u"東京,東京,トウキョウ,名詞-固有名詞-地域-一般"_s,
                            u"東京都,東京都,トウキョウト,名詞-固有名詞-地域-一般"_s, u"京都,京都,キョウト,名詞-固有名詞-地域-一般"_s};
    QTest::newRow("longest match first") << tokyo << u"東京都と東京\n"_s
                                         << u"`rとうきょうと`s東京都と`rとうきょう`s東京\n"_s;
    QTest::newRow("no match: unchanged, ends included") << tokyo << u"大阪と名古屋"_s << u"大阪と名古屋"_s;
    QTest::newRow("empty dictionary") << QStringList() << u"東京"_s << u"東京"_s;
    QTest::newRow("comment lines too") << kanji << u"<-◆漢字\n漢字"_s << u"<-◆`rかんじ`s漢字\n`rかんじ`s漢字"_s;
    QTest::newRow("letter case ignored, text kept")
        << QStringList{u"ＰＣ,ＰＣ,ピーシー,名詞-一般"_s} << u"ｐｃとＰｃ"_s << u"`rぴーしー`sｐｃと`rぴーしー`sＰｃ"_s;
    QTest::newRow("no word across a line break") << tokyo << u"東\n京"_s << u"東\n京"_s;
    QTest::newRow("existing code left as it is") << kanji << u"`rかんじ`s漢字と漢字"_s
                                                 << u"`rかんじ`s漢字と`rかんじ`s漢字"_s;
    QTest::newRow("run twice: the same") << kanji << u"`rかんじ`s漢字\n`rかんじ`sかんじ"_s
                                         << u"`rかんじ`s漢字\n`rかんじ`sかんじ"_s;
    QTest::newRow("a code's kanji run is its base") << tokyo << u"`rとうきょうと`s東京都に"_s
                                                    << u"`rとうきょうと`s東京都に"_s;
    QTest::newRow("a code over a word in no dictionary") << kanji << u"`rよみ`s読漢字"_s << u"`rよみ`s読漢字"_s;
    QTest::newRow("codes one after another") << kanji << u"`rかんじ`s`rかんじ`s漢字漢字"_s
                                             << u"`rかんじ`s`rかんじ`s漢字漢字"_s;
    QTest::newRow("no code without `s on the line") << kanji << u"`r漢字\n`s"_s << u"`r`rかんじ`s漢字\n`s"_s;
}

void TestFurigana::scan()
{
    QFETCH(QStringList, records);
    QFETCH(QString, text);
    QFETCH(QString, furigana);
    QCOMPARE(addFurigana(text, FuriganaDictionary::fromMorphemeLines(records)), furigana);
}

void TestFurigana::sameSurfaceTakesTheFirstReadingInOrder()
{
    // 今日=きょう sorts before 今日=こんにち, whichever the analyser met first.
    const QStringList kyou{u"今日,今日,キョウ,名詞-副詞可能"_s};
    const QStringList konnichi{u"今日,今日,コンニチ,名詞-副詞可能"_s};
    for (const QStringList &records : {kyou + konnichi, konnichi + kyou}) {
        const FuriganaDictionary dictionary = FuriganaDictionary::fromMorphemeLines(records);
        QCOMPARE(dictionary.lookup(u"今日"), u"きょう"_s);
        QCOMPARE(dictionary.lookup(u"今"), QString());
        QCOMPARE(dictionary.maxLength(), 2);
    }
}

void TestFurigana::stoppedScanGivesNothing()
{
    const FuriganaDictionary dictionary =
        FuriganaDictionary::fromMorphemeLines({u"漢字,漢字,カンジ,名詞-一般"_s});
    const QString text = u"漢字の本。"_s.repeated(20000);
    qsizetype calls = 0;
    qsizetype last = 0;
    const auto result = addFurigana(text, dictionary, [&](qsizetype done, qsizetype total) {
        ++calls;
        last = done;
        return total == text.size() && calls < 3;
    });
    QVERIFY(!result);
    QCOMPARE(calls, 3);
    QVERIFY(last < text.size());
    // Asked now and then, not at every character.
    qsizetype asked = 0;
    QVERIFY(addFurigana(text, dictionary, [&](qsizetype, qsizetype) { return ++asked > 0; }));
    QVERIFY(asked > 1 && asked < 100);
}

void TestFurigana::needsFuriganaByGrade_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("grade");
    QTest::addColumn<bool>("needs");
    // The school years of the 1989 table: 学 校 字 人 手 1, 教 科 書 東 京 切 2,
    // 漢 都 3, 解 5, 誤 6; 握 junior high; 憂 鬱 outside the education kanji.
    QTest::newRow("学校, year 1") << u"学校"_s << 1 << false;
    QTest::newRow("教科書, year 1") << u"教科書"_s << 1 << true;
    QTest::newRow("教科書, year 2") << u"教科書"_s << 2 << false;
    QTest::newRow("漢字, year 2") << u"漢字"_s << 2 << true;
    QTest::newRow("漢字, year 3") << u"漢字"_s << 3 << false;
    QTest::newRow("誤解, year 5: one kanji is enough") << u"誤解"_s << 5 << true;
    QTest::newRow("誤解, year 6") << u"誤解"_s << 6 << false;
    QTest::newRow("憂鬱, year 1") << u"憂鬱"_s << 1 << true;
    QTest::newRow("憂鬱, year 6") << u"憂鬱"_s << 6 << true;
    QTest::newRow("握手: junior high, year 6") << u"握手"_s << 6 << true;
    QTest::newRow("kanji with kana, 書く year 1") << u"書く"_s << 1 << true;
    QTest::newRow("kanji with kana, 書く year 2") << u"書く"_s << 2 << false;
    QTest::newRow("katakana") << u"テレビ"_s << 1 << false;
    QTest::newRow("hiragana") << u"こと"_s << 6 << false;
    QTest::newRow("full-width letters") << u"ＰＣ"_s << 1 << false;
    QTest::newRow("iteration mark goes with its kanji") << u"人々"_s << 1 << false;
    QTest::newRow("〆 is taught in no year") << u"〆切"_s << 6 << true;
    QTest::newRow("a kanji beyond the BMP") << u"𠮟る"_s << 6 << true;
    QTest::newRow("no year: every word") << u"テレビ"_s << 0 << true;
    QTest::newRow("no year: a year-1 word") << u"学校"_s << 0 << true;
}

void TestFurigana::needsFuriganaByGrade()
{
    QFETCH(QString, word);
    QFETCH(int, grade);
    QFETCH(bool, needs);
    QCOMPARE(needsFurigana(word, grade), needs);
}

void TestFurigana::scanByGrade_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<int>("grade");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("furigana");
    const QString region = u",名詞-固有名詞-地域-一般"_s;
    const QStringList tokyo{u"東京,東京,トウキョウ"_s + region, u"東京都,東京都,トウキョウト"_s + region,
                            u"京都,京都,キョウト"_s + region};
    const QStringList words{u"教科書,教科書,キョウカショ,名詞-一般"_s, u"テレビ,テレビ,テレビ,名詞-一般"_s,
                            u"漢字,漢字,カンジ,名詞-一般"_s, u"こと,こと,コト,名詞-非自立-一般"_s};
    // 都 is a year-3 kanji, 東 and 京 year 2.
    QTest::newRow("known long word: no shorter word inside it") << tokyo << 6 << u"東京都と東京"_s
                                                                << u"東京都と東京"_s;
    QTest::newRow("unknown long word wrapped whole")
        << tokyo << 2 << u"東京都と東京"_s << u"`rとうきょうと`s東京都と東京"_s;
    QTest::newRow("a known word keeps its place from a later one")
        << QStringList{tokyo.at(0), tokyo.at(2)} << 2 << u"東京都"_s << u"東京都"_s;
    QTest::newRow("year 1") << words << 1 << u"テレビの教科書と漢字のこと"_s
                            << u"テレビの`rきょうかしょ`s教科書と`rかんじ`s漢字のこと"_s;
    QTest::newRow("year 2") << words << 2 << u"テレビの教科書と漢字のこと"_s
                            << u"テレビの教科書と`rかんじ`s漢字のこと"_s;
    QTest::newRow("year 3") << words << 3 << u"テレビの教科書と漢字のこと"_s << u"テレビの教科書と漢字のこと"_s;
    QTest::newRow("no year") << words << 0 << u"テレビの教科書"_s << u"`rてれび`sテレビの`rきょうかしょ`s教科書"_s;
}

void TestFurigana::scanByGrade()
{
    QFETCH(QStringList, records);
    QFETCH(int, grade);
    QFETCH(QString, text);
    QFETCH(QString, furigana);
    QCOMPARE(addFurigana(text, FuriganaDictionary::fromMorphemeLines(records, grade)), furigana);
}

namespace {
// The ruby codes of a text, each by the position of its base in the text
// without codes, and that text.
struct Codes {
    QList<std::pair<qsizetype, QString>> readings;
    QString plain;
};

Codes codesOf(const QString &text)
{
    Codes codes;
    qsizetype from = 0;
    for (qsizetype r = text.indexOf(u"`r"); r >= 0; r = text.indexOf(u"`r", from)) {
        const qsizetype s = text.indexOf(u"`s", r + 2);
        codes.plain += text.sliced(from, r - from);
        codes.readings.append({codes.plain.size(), text.sliced(r + 2, s - r - 2)});
        from = s + 2;
    }
    codes.plain += text.sliced(from);
    return codes;
}
} // namespace

void TestFurigana::gradeOnlyLeavesCodesOut_data()
{
    QTest::addColumn<int>("grade");
    for (int grade = 1; grade <= kMaxFuriganaGrade; ++grade)
        QTest::addRow("year %d", grade) << grade;
}

// With a school year, the roll gets the codes it gets without one, less those
// over words of kanji the year knows: the words stay where they were.
void TestFurigana::gradeOnlyLeavesCodesOut()
{
    QFETCH(int, grade);
    const QString roll = testDataText(u"roll-sample.txt"_s);
    const QStringList records = analyserRecords(roll.split(u'\n'));
    const FuriganaDictionary all = FuriganaDictionary::fromMorphemeLines(records);
    const Codes everyWord = codesOf(*addFurigana(roll, all));
    QList<std::pair<qsizetype, QString>> expected;
    for (const auto &code : everyWord.readings) {
        if (needsFurigana(roll.sliced(code.first, all.longestAt(roll, code.first).length), grade))
            expected.append(code);
    }
    QVERIFY(expected.size() > 10);
    QVERIFY(expected.size() < everyWord.readings.size());
    const Codes ours = codesOf(*addFurigana(roll, FuriganaDictionary::fromMorphemeLines(records, grade)));
    QCOMPARE(ours.plain, roll);
    QCOMPARE(ours.readings, expected);
}

void TestFurigana::realAnalyser_data()
{
    QTest::addColumn<QString>("roll");
    QTest::addColumn<QString>("furigana");
    QTest::newRow("katakana and hiragana nouns") << u"テレビを見ること。"_s << u"`rてれび`sテレビを見る`rこと`sこと。"_s;
    QTest::newRow("numbers and ASCII words stay")
        << u"三十人が１２３個とABCの話。"_s << u"三十`rにん`s人が１２３`rこ`s個とABCの`rはなし`s話。"_s;
    QTest::newRow("a comment line is not analysed but wrapped")
        << u"<-漢字の話\n漢字"_s << u"<-`rかんじ`s漢字の話\n`rかんじ`s漢字"_s;
}

void TestFurigana::realAnalyser()
{
    QFETCH(QString, roll);
    QFETCH(QString, furigana);
    const FuriganaDictionary dictionary = FuriganaDictionary::fromMorphemeLines(analyserRecords(roll.split(u'\n')));
    QCOMPARE(addFurigana(roll, dictionary), furigana);
}

void TestFurigana::sameAsTheSortedList_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("roll sample") << u"roll-sample.txt"_s;
    QTest::newRow("homophones") << u"advice-sample.txt"_s;
}

void TestFurigana::sameAsTheSortedList()
{
    QFETCH(QString, name);
    const QString roll = testDataText(name);
    const QStringList records = analyserRecords(roll.split(u'\n'));
    const FuriganaDictionary dictionary = FuriganaDictionary::fromMorphemeLines(records);
    const reference::FuriganaList list = reference::furiganaList(records);
    QVERIFY(list.entries.size() > 50);
    QCOMPARE(dictionary.maxLength(), list.maxLength);
    for (const QString &entry : list.entries) {
        const QString surface = entry.first(entry.indexOf(u'='));
        QCOMPARE(dictionary.lookup(surface), reference::lookup(list, surface));
    }
    const QString ours = *addFurigana(roll, dictionary);
    QVERIFY(ours.count(u"`r"_s) > 50);
    QCOMPARE(ours, reference::addFurigana(roll, list));
}

QTEST_GUILESS_MAIN(TestFurigana)
#include "tst_furigana.moc"
