#include "analysis/MorphemeDigest.h"
#include "reshape/CaptionBreaking.h"
#include "reshape/PhraseRoles.h"
#include "reshape/Reshape.h"
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
    QTest::newRow("all") << kExample << u"kpb"_s << u"今日はとても/良い/天気です。/明日も晴れる/でしょう、/たぶん。"_s << 6;
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
    // 10, 10 and 5 characters become 9, 9 and 7.
    QTest::newRow("balance") << u"あいうえおかきくけこさしすせそたちつてとなにぬねの"_s << 20 << u"b"_s
                             << u"あいうえおかきくけ/こさしすせそたちつ/てとなにぬねの"_s;
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
    pos("number", u"名詞-数"_s, PhraseRole::Noun);
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

QTEST_GUILESS_MAIN(TestCaptionBreaking)
#include "tst_captionbreaking.moc"
