#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeDigest.h"
#include "reshape/CaptionBreaking.h"
#include "reshape/MorphemeMap.h"
#include "reshape/PhraseRoles.h"
#include "reshape/Reshape.h"
#include "reshape/TextUnits.h"
#include "reshape/WidthModel.h"
#include "reshape/WordList.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The analyser's records of the example sentences, as the editor keeps them.
WordList exampleWords(const QStringList &custom = {})
{
    QFile f(testDataPath(u"caption-example.morphemes"_s));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing fixture");
    MorphemeDigest digest;
    digest.add(f.readAll());
    return WordList::build(digest.surfaces(), custom, digest.surfaceTags());
}

const QString kExample = u"今日はとても良い天気です。明日も晴れるでしょう、たぶん。"_s;

// The roll analysed by the analyser itself, as the reshape commands do: its
// words, and its records laid over its lines.
WordList analysedWords(const QStringList &roll, const QStringList &custom = {})
{
    MorphemeDigest digest;
    const ChasenResult run = runChasen(kTestChasen, roll, CommentKinds{}, {},
                                       [&digest](QByteArrayView records) { digest.add(records); });
    if (run.status != ChasenResult::Status::Ok)
        qFatal("ChaSen failed: %s", qPrintable(run.detail));
    WordList words = WordList::build(digest.surfaces(), custom, digest.surfaceTags());
    words.setMorphemes(
        MorphemeMap::build(roll, CommentKinds{}, [&digest](const auto &visit) { digest.forEachRecord(visit); }));
    return words;
}

// The last line of `roll` reshaped with `rules` at `chars` characters, its
// output lines joined by "/".
QString lastLineReshaped(const QStringList &roll, int chars, const BreakRules &rules, const QStringList &custom = {})
{
    const WordList words = analysedWords(roll, custom);
    CellWidth cells;
    ReshapeOptions options;
    options.rules = rules;
    const QStringList items = reshapeRoll(roll, 2 * chars, chars, options, &words, cells);
    return QString(items.last()).replace(u'\n', u'/');
}

QString reshaped(const QString &line, int limit, const BreakRules &rules, const WordList *words)
{
    CellWidth cells;
    CaptionBreaker breaker(rules, words, cells);
    return breaker.reshapeLine(line, limit, {});
}

BreakRules rulesOf(const QString &names)
{
    return {names.contains(u'k'), names.contains(u'p'), names.contains(u'b')};
}

} // namespace

class TestCaptionBreaking : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void example_data();
    void example();
    void rules_data();
    void rules();
    void roles_data();
    void roles();
    void phrasesOfTheLine_data();
    void phrasesOfTheLine();
    void phraseStaysWhole_data();
    void phraseStaysWhole();
    void sameBreaksWhateverTheRoll();
    void balanceNeverCostsAPhrase_data();
    void balanceNeverCostsAPhrase();
    void noOneCharacterLine_data();
    void noOneCharacterLine();
    void rubyCodeWhole_data();
    void rubyCodeWhole();
    void rubyCodeCountsItsBase();
    void combiningMarkNeverStartsALine_data();
    void combiningMarkNeverStartsALine();
    void morphemesFollowTheText();
};

void TestCaptionBreaking::example_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("chars");
    // The word check alone tears 「でしょう」 and starts a line with 「。」.
    QTest::newRow("word check alone") << kExample << u""_s << u"今日はとても/良い天気です/。明日も/晴れるでしょ/う、たぶん。"_s << 6;
    QTest::newRow("kinsoku") << kExample << u"k"_s << u"今日はとても/良い天気/です。明日も/晴れるでしょ/う、たぶん。"_s << 6;
    // A phrase wider than the line is broken after its content word.
    QTest::newRow("phrases") << kExample << u"p"_s << u"今日はとても/良い/天気です。/明日も晴れる/でしょう、/たぶん。"_s << 6;
    QTest::newRow("kinsoku phrases") << kExample << u"kp"_s << u"今日はとても/良い/天気です。/明日も晴れる/でしょう、/たぶん。"_s << 6;
    // Balance evens out the first lines, each break still between phrases.
    QTest::newRow("all") << kExample << u"kpb"_s << u"今日は/とても良い/天気です。/明日も晴れる/でしょう、/たぶん。"_s << 6;
    const QString quoted = u"「そうですね」と彼は言った。Kappa値は3.14です。"_s;
    // The word check alone starts a line with 「」」 and tears 「言った」; a
    // quote wider than the line is broken inside its word, its marks kept on.
    QTest::newRow("quote, word check alone") << quoted << u""_s << u"「そうですね/」と彼は言っ/た。Kappa値/は3.14です。"_s << 6;
    QTest::newRow("quote, kinsoku") << quoted << u"k"_s << u"「そうです/ね」と彼は/言った。/Kappa値は/3.14です。"_s << 6;
    QTest::newRow("quote, phrases") << quoted << u"p"_s << u"「そうです/ね」と彼は/言った。/Kappa値は/3.14です。"_s << 6;
    // 「する」 stays with the noun it makes a verb of.
    QTest::newRow("verbal noun, phrases") << u"情報学研究科で勉強する。"_s << u"p"_s << u"情報学/研究科で/勉強する。"_s << 6;
    // A quote that fits a line goes down whole rather than be broken inside.
    const QString quote = u"これから「地域の防災」について、約一時間お話しします。"_s;
    QTest::newRow("whole quote, word check alone") << quote << u""_s
                                                   << u"これから「地域の防災」/について/、約一時間お話しします。"_s << 12;
    QTest::newRow("whole quote, phrases") << quote << u"p"_s << u"これから/「地域の防災」について、/約一時間お話しします。"_s
                                          << 12;
    QTest::newRow("quote, all") << quoted << u"kpb"_s << u"「そうです/ね」と彼は/言った。/Kappa値は/3.14です。"_s << 6;
}

void TestCaptionBreaking::example()
{
    QFETCH(QString, line);
    QFETCH(QString, rules);
    QFETCH(QString, expected);
    QFETCH(int, chars);
    const WordList words = exampleWords();
    CellWidth cells;
    ReshapeOptions options;
    options.rules = rulesOf(rules);
    const QStringList items = reshapeRoll({line}, 2 * chars, chars, options, &words, cells);
    QCOMPARE(items.join(u'|').replace(u'\n', u'/'), expected);
}

void TestCaptionBreaking::rules_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("expected");
    // Without the rules a break falls anywhere; with them it moves so that
    // the rule holds, the character before going down with it.
    struct Case {
        const char *name;
        QString line;
        QString plain;   // no rule: the break falls at the limit
        QString kinsoku; // the rules hold
    };
    const QList<Case> cases = {
        {"full stop", u"あいうえおかきくけこ。さしす"_s, u"あいうえおかきくけこ/。さしす"_s, u"あいうえおかきくけ/こ。さしす"_s},
        {"comma", u"あいうえおかきくけこ、さしす"_s, u"あいうえおかきくけこ/、さしす"_s, u"あいうえおかきくけ/こ、さしす"_s},
        {"closing bracket", u"あいうえおかきくけ「こ」さし"_s, u"あいうえおかきくけ「/こ」さし"_s, u"あいうえおかきくけ/「こ」さし"_s},
        {"question mark", u"あいうえおかきくけこ？さしす"_s, u"あいうえおかきくけこ/？さしす"_s, u"あいうえおかきくけ/こ？さしす"_s},
        {"small tsu", u"あいうえおかきくけこっさし"_s, u"あいうえおかきくけこ/っさし"_s, u"あいうえおかきくけ/こっさし"_s},
        {"small ya", u"あいうえおかきくけきゃさし"_s, u"あいうえおかきくけき/ゃさし"_s, u"あいうえおかきくけ/きゃさし"_s},
        {"small katakana", u"アイウエオカキクケコッサシ"_s, u"アイウエオカキクケコ/ッサシ"_s, u"アイウエオカキクケ/コッサシ"_s},
        {"long vowel", u"アイウエオカキクケコーサシ"_s, u"アイウエオカキクケコ/ーサシ"_s, u"アイウエオカキクケ/コーサシ"_s},
        {"iteration mark", u"あいうえおかきくけ人々が"_s, u"あいうえおかきくけ人/々が"_s, u"あいうえおかきくけ/人々が"_s},
        {"kana iteration", u"あいうえおかきくけこゝさ"_s, u"あいうえおかきくけこ/ゝさ"_s, u"あいうえおかきくけ/こゝさ"_s},
        {"opening bracket", u"あいうえおかきくけ「こさ」"_s, u"あいうえおかきくけ「/こさ」"_s, u"あいうえおかきくけ/「こさ」"_s},
        {"ellipsis", u"あいうえおかきくけ……さ"_s, u"あいうえおかきくけ…/…さ"_s, u"あいうえおかきく/け……さ"_s},
        {"latin word", u"あいうえおかきくKappaです"_s, u"あいうえおかきくKapp/aです"_s, u"あいうえおかきく/Kappaです"_s},
        {"half-width small tsu", u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄｯﾅ"_s, u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ/ｯﾅ"_s, u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃ/ﾄｯﾅ"_s},
        {"half-width stop", u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ｡ﾅ"_s, u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ/｡ﾅ"_s, u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃ/ﾄ｡ﾅ"_s},
    };
    for (const Case &c : cases) {
        QTest::addRow("%s, plain", c.name) << c.line << 20 << u""_s << c.plain;
        QTest::addRow("%s, kinsoku", c.name) << c.line << 20 << u"k"_s << c.kinsoku;
    }
    // 10, 10 and 5 characters become 9, 8 and 8.
    QTest::newRow("balance") << u"あいうえおかきくけこさしすせそたちつてとなにぬねの"_s << 20 << u"b"_s
                             << u"あいうえおかきくけ/こさしすせそたち/つてとなにぬねの"_s;
    QTest::newRow("balance, one over") << u"あいうえおかきくけこさ"_s << 20 << u"b"_s << u"あいうえおか/きくけこさ"_s;
    // The marker of a continuation counts in its width.
    QTest::newRow("comment marker counted") << u"<-あいうえおかきくけこさしすせそ"_s << 12 << u"k"_s
                                            << u"<-あいうえお/<-かきくけこ/<-さしすせそ"_s;
    // A caption line's rest never begins with "<-".
    QTest::newRow("never a comment") << u"あいうえお<-かきくけこ"_s << 10 << u"k"_s << u"あいうえ/お<-かきく/けこ"_s;
    // A word the rules keep whole stands alone, however wide, rather than be cut.
    QTest::newRow("long latin word, kinsoku") << u"あいうえおabcdefghijklmnopqrstuvwxyzかき"_s << 20 << u"k"_s
                                              << u"あいうえお/abcdefghijklmnopqrstuvwxyz/かき"_s;
    QTest::newRow("long latin word, plain") << u"あいうえおabcdefghijklmnopqrstuvwxyzかき"_s << 20 << u""_s
                                            << u"あいうえおabcdefghij/klmnopqrstuvwxyzかき"_s;
    QTest::newRow("surrogate pair whole") << u"あいう𠮟る"_s << 7 << u""_s << u"あいう/𠮟る"_s;
    QTest::newRow("empty line") << QString() << 4 << u"kpb"_s << QString();
    QTest::newRow("empty line, balance") << QString() << 4 << u"b"_s << QString();
    QTest::newRow("wider character alone") << u"あいう"_s << 1 << u"kb"_s << u"あ/い/う"_s;
}

void TestCaptionBreaking::rules()
{
    QFETCH(QString, line);
    QFETCH(int, limit);
    QFETCH(QString, rules);
    QFETCH(QString, expected);
    QCOMPARE(reshaped(line, limit, rulesOf(rules), nullptr).replace(u'\n', u'/'), expected);
}

void TestCaptionBreaking::roles_data()
{
    QTest::addColumn<QString>("partOfSpeech"); // empty: the character's own role
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("role");
    const auto pos = [](const char *name, const QString &part, PhraseRole role) {
        QTest::newRow(name) << part << QString() << int(role);
    };
    const auto chr = [](const char *name, const QString &c, PhraseRole role) {
        QTest::newRow(name) << QString() << c << int(role);
    };
    pos("noun", u"名詞-一般"_s, PhraseRole::Noun);
    pos("number", u"名詞-数"_s, PhraseRole::Number);
    pos("noun suffix", u"名詞-接尾-一般"_s, PhraseRole::Dependent);
    pos("dependent noun", u"名詞-非自立-一般"_s, PhraseRole::Dependent);
    pos("verb", u"動詞-自立"_s, PhraseRole::Content);
    pos("dependent verb", u"動詞-非自立"_s, PhraseRole::Dependent);
    pos("adverb", u"副詞-一般"_s, PhraseRole::Content);
    pos("particle", u"助詞-格助詞-一般"_s, PhraseRole::Dependent);
    pos("auxiliary", u"助動詞"_s, PhraseRole::Dependent);
    pos("prefix", u"接頭詞-名詞接続"_s, PhraseRole::Prefix);
    pos("opening bracket", u"記号-括弧開"_s, PhraseRole::Opening);
    pos("closing bracket", u"記号-括弧閉"_s, PhraseRole::Closing);
    pos("full stop", u"記号-句点"_s, PhraseRole::Closing);
    pos("other mark", u"記号-一般"_s, PhraseRole::Dependent);
    pos("latin letter", u"記号-アルファベット"_s, PhraseRole::Content);
    pos("verbal noun", u"名詞-サ変接続"_s, PhraseRole::VerbalNoun);
    chr("kanji", u"漢"_s, PhraseRole::Content);
    chr("small tsu", u"っ"_s, PhraseRole::Closing);
    chr("half-width small tsu", u"ｯ"_s, PhraseRole::Closing);
    chr("long vowel", u"ー"_s, PhraseRole::Closing);
    chr("iteration mark", u"々"_s, PhraseRole::Closing);
    chr("closing quote", u"」"_s, PhraseRole::Closing);
    chr("opening quote", u"「"_s, PhraseRole::Opening);
    chr("half-width opening", u"｢"_s, PhraseRole::Opening);
    chr("yen", u"￥"_s, PhraseRole::Prefix);
    chr("space", u" "_s, PhraseRole::Dependent);
}

void TestCaptionBreaking::roles()
{
    QFETCH(QString, partOfSpeech);
    QFETCH(QString, character);
    QFETCH(int, role);
    const PhraseRole found = character.isEmpty() ? phraseRoleOfWord(partOfSpeech, QString())
                                                 : phraseRoleOfCharacter(character.toUcs4().first());
    QCOMPARE(int(found), role);
}

void TestCaptionBreaking::phrasesOfTheLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("chars");
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("expected");
    // Seen on real rolls: breaks inside 「ご説明が」 and 「ありましたが、」.
    QTest::newRow("particle stays with its noun") << u"でありましたが、ただいまご説明がありましたが、"_s << 10 << u"p"_s
                                                  << u"でありましたが、/ただいまご説明が/ありましたが、"_s;
    QTest::newRow("auxiliaries stay with their verb") << u"ましたが、ただいまご説明がありましたが、"_s << 10 << u"p"_s
                                                      << u"ましたが、ただいま/ご説明が/ありましたが、"_s;
    // The plain fill gives 10, 3 and 10 characters.
    QTest::newRow("balanced on phrases") << u"中へ這入ったのは無論今日が初めてでございます。"_s << 10 << u"pb"_s
                                         << u"中へ這入ったのは/無論今日が/初めてでございます。"_s;
    QTest::newRow("balanced on phrases, kinsoku") << u"中へ這入ったのは無論今日が初めてでございます。"_s << 10
                                                  << u"kpb"_s << u"中へ這入ったのは/無論今日が/初めてでございます。"_s;
    QTest::newRow("verb with its dependent verb") << u"書類を全部消してしまってから気がつきました。"_s << 10 << u"kp"_s
                                                  << u"書類を全部/消してしまってから/気がつきました。"_s;
}

void TestCaptionBreaking::phrasesOfTheLine()
{
    QFETCH(QString, line);
    QFETCH(int, chars);
    QFETCH(QString, rules);
    QFETCH(QString, expected);
    QCOMPARE(lastLineReshaped({line}, chars, rulesOf(rules)), expected);
}

void TestCaptionBreaking::phraseStaysWhole_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("phrase");
    // Each was torn on real texts: a suffix read as a verb ending elsewhere
    // in the roll, or a match that cut across the analyser's own words.
    QTest::newRow("verb and negation") << u"それは私どもが責任を持って致さなければならない仕事であります。"_s << u"致さなければ"_s;
    QTest::newRow("のです") << u"皆さんがよくご存じのように大切なものなのですから大事にしましょう。"_s << u"なのですから"_s;
    QTest::newRow("passive") << u"私たちは毎日の生活の中で時計の針に支配される暮らしをしています。"_s << u"支配される"_s;
    QTest::newRow("past and conjecture") << u"あの時のあれはいったい何だったんだろうと今でも思い出します。"_s << u"だったんだろうと"_s;
    QTest::newRow("copula") << u"これは誰もが知っているはずの事実だから改めて申し上げません。"_s << u"事実だから"_s;
    QTest::newRow("number and counter") << u"その広場から北へ向かって三十六歩ほど進んだところに井戸があります。"_s << u"三十六歩"_s;
    QTest::newRow("name and title") << u"そのとき教室の後ろのほうから尾形君が手を挙げて質問しました。"_s << u"尾形君が"_s;
    QTest::newRow("verbal noun, classical する") << u"今後はこの規則に従って公式の場で使用さるべき言葉を選びます。"_s << u"使用さるべき"_s;
    QTest::newRow("verbal noun, せられ") << u"皆様が十分に納得せられんことを心から願ってやみません。"_s << u"納得せられん"_s;
    QTest::newRow("honorific prefix with する") << u"配られた資料は受付でお渡ししたものと同じでございます。"_s << u"お渡ししたものと"_s;
    QTest::newRow("number with a counter suffix") << u"この工事はおよそ一カ年の期間をかけて行われる予定でございます。"_s << u"一カ年の"_s;
}

void TestCaptionBreaking::phraseStaysWhole()
{
    QFETCH(QString, line);
    QFETCH(QString, phrase);
    // At every width that holds the whole phrase around it, with and without
    // the rules and balance.
    for (const QString &rules : {u"p"_s, u"kp"_s, u"kpb"_s}) {
        for (int chars = 10; chars <= 16; ++chars) {
            const QString got = lastLineReshaped({line}, chars, rulesOf(rules));
            QVERIFY2(got.split(u'/').join(QString()) == line, qPrintable(got));
            QVERIFY2(got.contains(phrase), qPrintable(u"%1 at %2: %3"_s.arg(rules).arg(chars).arg(got)));
        }
    }
}

void TestCaptionBreaking::sameBreaksWhateverTheRoll()
{
    // Where a line breaks depends on that line alone: the same line after
    // 20, 40 or 80 lines of another text breaks the same way.
    const QStringList others = testDataText(u"phrase-roll.txt"_s).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(others.size(), 80);
    const QString line = u"皆様にご納得のできるように、本日はこれまでの経緯を順を追って詳しくご説明したいと存じます。"_s;
    for (const qsizetype before : {0, 20, 40, 80}) {
        QStringList roll = others.first(before);
        roll.append(line);
        QCOMPARE(lastLineReshaped(roll, 8, rulesOf(u"kp"_s)),
                 u"皆様にご納得の/できるように、/本日はこれまでの/経緯を順を追って/詳しく/ご説明したいと/存じます。"_s);
    }
}

void TestCaptionBreaking::balanceNeverCostsAPhrase_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("chars");
    QTest::newRow("short middle line") << u"中へ這入ったのは無論今日が初めてでございます。"_s << 10;
    QTest::newRow("short tail") << u"ただいまより第十二回地域福祉研究会を開会いたします。"_s << 12;
    QTest::newRow("long phrases") << u"要約筆記は聞こえない人や聞こえにくい人に話の内容をその場で文字にして伝える通訳の方法です。"_s << 9;
    QTest::newRow("quote") << u"演題は「情報保障と合理的配慮」です。"_s << 8;
    QTest::newRow("exact fit") << u"今日はとても良い天気です。"_s << 7;
}

void TestCaptionBreaking::balanceNeverCostsAPhrase()
{
    QFETCH(QString, line);
    QFETCH(int, chars);
    const WordList words = analysedWords({line});
    const QByteArrayView morphemes = words.morphemes().codes(0, line.size());
    CellWidth cells;
    CaptionBreaker plain(rulesOf(u"kp"_s), &words, cells);
    CaptionBreaker even(rulesOf(u"kpb"_s), &words, cells);
    const QList<qsizetype> plainBreaks = plain.breaksOf(line, 2 * chars, morphemes);
    const QList<qsizetype> evenBreaks = even.breaksOf(line, 2 * chars, morphemes);
    const std::vector<quint8> levels = plain.levelsOf(line, true, morphemes);
    // No more lines, no break worse than the plain fill's worst, no line
    // wider, and the widest line no wider than the plain fill's widest.
    QVERIFY(evenBreaks.size() <= plainBreaks.size());
    quint8 plainWorst = kBreakBetweenPhrases;
    for (const qsizetype at : plainBreaks)
        plainWorst = std::min(plainWorst, levels[size_t(at)]);
    const auto widths = [&](const QList<qsizetype> &breaks) {
        QList<qint64> w;
        qsizetype from = 0;
        for (const qsizetype at : breaks + QList<qsizetype>{line.size()}) {
            w.append(cells.width(QStringView(line).sliced(from, at - from)));
            from = at;
        }
        return w;
    };
    for (const qsizetype at : evenBreaks)
        QVERIFY2(levels[size_t(at)] >= plainWorst, qPrintable(line.left(at) + u'|' + line.mid(at)));
    const QList<qint64> plainWidths = widths(plainBreaks);
    const QList<qint64> evenWidths = widths(evenBreaks);
    qint64 plainSquares = 0, evenSquares = 0;
    for (const qint64 w : plainWidths)
        plainSquares += w * w;
    for (const qint64 w : evenWidths) {
        evenSquares += w * w;
        QVERIFY(w <= 2 * chars);
    }
    QVERIFY(evenSquares <= plainSquares);
}

void TestCaptionBreaking::noOneCharacterLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("expected");
    // The rest after a full line would be one character: the break moves back.
    QTest::newRow("tail of one") << u"あいうえおかきくけこさ"_s << 20 << u"k"_s << u"あいうえおかきくけ/こさ"_s;
    QTest::newRow("tail of one, balance") << u"あいうえおかきくけこさ"_s << 20 << u"kb"_s << u"あいうえおか/きくけこさ"_s;
    QTest::newRow("tail of one with marks") << u"あいうえおかきくけこか\u3099"_s << 20 << u"k"_s
                                            << u"あいうえおかきくけ/こか\u3099"_s;
    // Where a single character is wider than the line, it stands alone.
    QTest::newRow("wider than the line") << u"あいう"_s << 1 << u"k"_s << u"あ/い/う"_s;
}

void TestCaptionBreaking::noOneCharacterLine()
{
    QFETCH(QString, line);
    QFETCH(int, limit);
    QFETCH(QString, rules);
    QFETCH(QString, expected);
    QCOMPARE(reshaped(line, limit, rulesOf(rules), nullptr).replace(u'\n', u'/'), expected);
}

void TestCaptionBreaking::rubyCodeWhole_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("chars");
    QTest::newRow("code at the limit") << u"あいうえおかきく`rかんじ`s漢字のけこさしすせそ"_s << 10;
    QTest::newRow("two codes") << u"今日は`rきしゃ`s記者の`rかた`s方が`rらいじょう`s来場しています。"_s << 6;
    QTest::newRow("code twice wrapped") << u"あいうえおかき`rかんじ`s`rかんじ`s漢字くけこさしす"_s << 5;
    QTest::newRow("long reading") << u"あいう`rながいながいよみがなのれい`s例えばのはなし"_s << 4;
    QTest::newRow("code at the end") << u"あいうえおかきくけこさしすせ`rかんじ`s"_s << 6;
}

void TestCaptionBreaking::rubyCodeWhole()
{
    QFETCH(QString, line);
    QFETCH(int, chars);
    // No reshape parts a code from its base's first character: that would
    // corrupt it. Literal, by words, and with each option.
    const TextUnits units(line);
    const WordList words = analysedWords({line});
    CellWidth cells;
    const auto check = [&](const QString &item, const char *how) {
        const QString joined = QString(item).remove(u'\n');
        QVERIFY2(joined == line, how);
        qsizetype at = 0;
        for (const QString &piece : item.split(u'\n')) {
            QVERIFY2(units.startsAt(at), qPrintable(u"%1: %2"_s.arg(QLatin1StringView(how), item)));
            at += piece.size();
        }
    };
    check(reshapeLineByChars(line, chars, {}), "by characters");
    check(reshapeLineByWidth(line, 2 * chars, cells, {}), "by width");
    check(reshapeLineByWords(line, 2 * chars, words, cells, {}), "by words");
    for (const QString &rules : {u"k"_s, u"p"_s, u"b"_s, u"kpb"_s}) {
        ReshapeOptions options;
        options.rules = rulesOf(rules);
        check(reshapeRoll({line}, 2 * chars, chars, options, &words, cells).first(), qPrintable(rules));
    }
}

void TestCaptionBreaking::rubyCodeCountsItsBase()
{
    // The screen shows the base text with the reading above it: with the
    // options a code is as wide as its base, so a line that fits on the
    // screen is left alone, and a longer one breaks by what shows.
    CellWidth cells;
    const QString fits = u"`rきょう`s今日は`rてんき`s天気です"_s; // 今日は天気です: 14 cells
    QCOMPARE(shownWidth(fits, cells), 14);
    ReshapeOptions options;
    options.rules = rulesOf(u"k"_s);
    QCOMPARE(reshapeRoll({fits}, 14, 7, options, nullptr, cells), QStringList{fits});
    QCOMPARE(reshaped(u"`rきょう`s今日はよい`rてんき`s天気です"_s, 12, rulesOf(u"k"_s), nullptr).replace(u'\n', u'/'),
             u"`rきょう`s今日はよい`rてんき`s天/気です"_s);
}

void TestCaptionBreaking::combiningMarkNeverStartsALine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("rules");
    const QString accents = u"cafe\u0301 "_s.repeated(6);
    const QString voiced = u"か\u3099"_s.repeated(12);
    QTest::newRow("accents, kinsoku") << accents << 9 << u"k"_s;
    QTest::newRow("accents, balance") << accents << 9 << u"kb"_s;
    QTest::newRow("voicing marks, kinsoku") << voiced << 5 << u"k"_s;
    QTest::newRow("voicing marks, plain") << voiced << 5 << u"b"_s;
    QTest::newRow("emoji with a modifier") << u"\U0001F44D\U0001F3FD"_s.repeated(5) << 4 << u"k"_s;
}

void TestCaptionBreaking::combiningMarkNeverStartsALine()
{
    QFETCH(QString, line);
    QFETCH(int, limit);
    QFETCH(QString, rules);
    const TextUnits units(line);
    const QString got = reshaped(line, limit, rulesOf(rules), nullptr);
    QCOMPARE(QString(got).remove(u'\n'), line);
    qsizetype at = 0;
    for (const QString &piece : got.split(u'\n')) {
        QVERIFY2(units.startsAt(at), qPrintable(got));
        QVERIFY2(!piece.isEmpty(), qPrintable(got));
        at += piece.size();
    }
}

void TestCaptionBreaking::morphemesFollowTheText()
{
    // Comment lines are not analysed; blanks and a character Shift-JIS cannot
    // hold do not shift the records off the words they belong to; a text
    // other than the analysed one is not covered.
    const QStringList roll{u"<-メモです"_s, u"今日は 𠮟られた, \"本当\"に"_s, u"晴れ"_s};
    const WordList words = analysedWords(roll);
    const MorphemeMap &map = words.morphemes();
    QVERIFY(map.covers(roll));
    QVERIFY(map.covers({roll.join(QString())}));
    QVERIFY(!map.covers({u"<-メモです"_s, u"今日は"_s}));
    QCOMPARE(quint8(map.codes(0, 1)[0]), MorphemeMap::kUnread);
    const qsizetype second = roll.at(0).size();
    const QString line = roll.at(1);
    const QByteArrayView codes = map.codes(second, line.size());
    const auto startsAt = [&](const QString &word) {
        return (quint8(codes[line.indexOf(word)]) & MorphemeMap::kStart) != 0;
    };
    QVERIFY(startsAt(u"今日"_s));
    QVERIFY(startsAt(u"られ"_s));
    QVERIFY(startsAt(u"本当"_s));
    QVERIFY(startsAt(u"に"_s));
    QCOMPARE(quint8(map.codes(second + line.size(), 1)[0]) & MorphemeMap::kStart, MorphemeMap::kStart);
}

QTEST_GUILESS_MAIN(TestCaptionBreaking)
#include "tst_captionbreaking.moc"
