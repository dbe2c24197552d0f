// The shaping commands against a bare roll: what they ask, what they leave
// and how many undo steps they take, without the main window.
#include "platform/ScriptedPrompter.h"
#include "reshape/ShapeCommands.h"
#include "support/PlainRoll.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestShapeCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { Prompter::install(nullptr); }
    void commands_data();
    void commands();
    void preBreaksAreSilentStepsOfTheirOwn();
    void zeroCharactersIsRefusedWithoutAQuestion();

private:
    ShapeCommands commands(PlainRoll &roll, int chars = 5, RollShapeSettings settings = {})
    {
        return ShapeCommands(roll, {[settings] { return settings; }, [chars] { return chars; },
                                    [] { return WidthCheckSettings{}; }, [] { return std::optional<WordList>(); }});
    }
    ScriptedPrompter m_prompter;
};

void TestShapeCommands::init()
{
    m_prompter.clear();
    Prompter::install(&m_prompter);
}

void TestShapeCommands::commands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("report");
    QTest::newRow("reshape by count") << u"count"_s << u"今日はとても良い天気です\n"_s
                                      << u"文字ラインを超える行を自動改行します。 \r\n\r\n (文字数は「文字ラインの位置」の設定(=5文字)を使います。）"_s
                                      << u"今日はとて\nも良い天気\nです\n"_s << u"自動改行"_s;
    QTest::newRow("break at 。") << u"period"_s << u"晴れ。雨\n"_s << u"「。」で自動改行します。 "_s
                                 << u"晴れ。\n雨\n"_s << u"自動改行"_s;
    QTest::newRow("centre") << u"centre"_s << u"あいう\n"_s << u"センタリングを開始します。 "_s << u"  あいう\n"_s
                            << u"センタリング"_s;
    QTest::newRow("trim") << u"trim"_s << u" a \n"_s << u"前後空白の削除を開始します。 "_s << u"a\n"_s
                          << u"前後空白の削除"_s;
}

void TestShapeCommands::commands()
{
    QFETCH(QString, command);
    QFETCH(QString, before);
    QFETCH(QString, question);
    QFETCH(QString, after);
    QFETCH(QString, report);
    for (const bool yes : {false, true}) {
        PlainRoll roll(before);
        ShapeCommands shape = commands(roll);
        m_prompter.clear();
        m_prompter.answer(yes ? MsgResult::Yes : MsgResult::No);
        if (command == u"count")
            shape.reshapeByCount();
        else if (command == u"period")
            shape.breakAtMark(BreakMark::Period, true);
        else if (command == u"centre")
            shape.centre();
        else
            shape.trim();
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked().first().text, question);
        QCOMPARE(m_prompter.asked().first().caption, u"開始メッセージ"_s);
        QCOMPARE(roll.text, yes ? after : before);
        QCOMPARE(roll.undoSteps, yes ? 1 : 0);
        QCOMPARE(roll.reports, yes ? QStringList{report} : QStringList{});
        if (yes)
            QCOMPARE(roll.statusTexts, (QStringList{u"整形実施中・・・"_s, QString()}));
    }
}

// 「。」 and 「、」 breaks before a reshape: each a silent whole-roll step.
void TestShapeCommands::preBreaksAreSilentStepsOfTheirOwn()
{
    PlainRoll roll(u"晴れ、今日はとても良い天気です。明日\n"_s);
    RollShapeSettings settings;
    settings.breakAtPeriod = true;
    settings.breakAtComma = true;
    ShapeCommands shape = commands(roll, 5, settings);
    m_prompter.answer(MsgResult::Yes);
    shape.reshapeByCount();
    QCOMPARE(roll.text, u"晴れ、\n今日はとて\nも良い天気\nです。\n明日\n"_s);
    QCOMPARE(roll.reports, (QStringList{QString(), QString(), u"自動改行"_s}));
    QCOMPARE(m_prompter.asked().size(), 1);
}

void TestShapeCommands::zeroCharactersIsRefusedWithoutAQuestion()
{
    PlainRoll roll(u"あいう\n"_s);
    ShapeCommands shape = commands(roll, 0);
    shape.reshapeByCount();
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text, u"「文字ラインの位置」が0文字のため、自動改行できません。"_s);
    QCOMPARE(m_prompter.asked().first().icon, MsgIcon::Warning);
    QCOMPARE(roll.undoSteps, 0);
}

QTEST_GUILESS_MAIN(TestShapeCommands)
#include "tst_shapecommands.moc"
