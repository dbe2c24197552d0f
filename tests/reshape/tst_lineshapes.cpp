#include "reshape/LineShapes.h"
#include "reshape/RollCommands.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(BreakMark)

class TestLineShapes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void breakAtMark_data();
    void breakAtMark();
    void centre_data();
    void centre();
    void trim_data();
    void trim();
    void trimRollTextMatchesTheLines_data();
    void trimRollTextMatchesTheLines();
};

void TestLineShapes::breakAtMark_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<BreakMark>("mark");
    QTest::addColumn<bool>("plasticComment");
    QTest::addColumn<bool>("blank");
    QTest::addColumn<QString>("item");
    const auto P = BreakMark::Period, S = BreakMark::Slash, C = BreakMark::Comma;
    QTest::newRow("period: ends with the mark, empty line follows")
        << u"今日は晴れ。明日は雨。"_s << P << false << false << u"今日は晴れ。\n明日は雨。\n"_s;
    QTest::newRow("period inside brackets") << u"「はい。」と答えた"_s << P << false << false << u"「はい。\n」と答えた"_s;
    QTest::newRow("slash") << u"田中／本日は晴天です"_s << S << false << false << u"田中／\n本日は晴天です"_s;
    QTest::newRow("half-width slash is not a mark") << u"田中/本日は"_s << S << false << false << u"田中/本日は"_s;
    QTest::newRow("comma without any period") << u"まず、次に、最後に"_s << C << false << false << u"まず、\n次に、\n最後に"_s;
    QTest::newRow("blank line after every piece") << u"まず、次に"_s << C << false << true << u"まず、\n\n次に\n"_s;
    QTest::newRow("comment broken when asked") << u"<-メモ。続き"_s << P << true << false << u"<-メモ。\n<-続き"_s;
    QTest::newRow("comment: no blank after its inner breaks") << u"<-メモ。続き"_s << P << true << true << u"<-メモ。\n<-続き\n"_s;
    QTest::newRow("comment: slash breaks take the blank") << u"<-司会／続き"_s << S << true << true << u"<-司会／\n\n<-続き\n"_s;
    QTest::newRow("comment kept without the option") << u"<-メモ。続き"_s << P << false << false << u"<-メモ。続き"_s;
    QTest::newRow("marks in a row") << u"。。"_s << P << false << false << u"。\n。\n"_s;
    QTest::newRow("before <- the break comes before the mark")
        << u"abc。<-x"_s << P << false << false << u"abc\n。<-x"_s;
    QTest::newRow("a mark alone before <- is not broken") << u"。<-x。"_s << P << false << false << u"。<-x。\n"_s;
    QTest::newRow("slash before <-") << u"田中／<-メモ／続き"_s << S << false << true
                                     << u"田中\n\n／<-メモ／\n\n続き\n"_s;
}

void TestLineShapes::breakAtMark()
{
    QFETCH(QString, line);
    QFETCH(BreakMark, mark);
    QFETCH(bool, plasticComment);
    QFETCH(bool, blank);
    QFETCH(QString, item);
    QCOMPARE(breakLineAtMark(line, mark, plasticComment, blank ? u"\n"_s : QString()), item);
}

void TestLineShapes::centre_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("item");
    QTest::newRow("6 cells get 7 blanks") << u"あいう"_s << u"       あいう"_s;
    QTest::newRow("8 cells get 6 blanks") << u"あいうえ"_s << u"      あいうえ"_s;
    QTest::newRow("wider than the limit unchanged") << QString(25, u'a') << QString(25, u'a');
    QTest::newRow("empty line becomes N blanks") << QString() << QString(10, u' ');
    QTest::newRow("odd remainder rounds toward zero") << u"abc"_s << QString(8, u' ') + u"abc"_s;
    QTest::newRow("comment kept") << u"<-メモ"_s << u"<-メモ"_s;
    QTest::newRow("existing blanks count") << u"  あ"_s << QString(8, u' ') + u"  あ"_s;
    QTest::newRow("<- after a blank stays a caption") << u" <-abc"_s << QString(7, u' ') + u" <-abc"_s;
}

void TestLineShapes::centre()
{
    QFETCH(QString, line);
    QFETCH(QString, item);
    QCOMPARE(centreLine(line, 20, QString()), item);
}

void TestLineShapes::trim_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("item");
    QTest::newRow("ideographic space stops trimming at the start") << u"　 あいう \t"_s << u"　 あいう"_s;
    QTest::newRow("controls and blanks both ends") << u"\t\u0001 abc \u001f"_s << u"abc"_s;
    QTest::newRow("all blanks") << u"   "_s << QString();
    QTest::newRow("comment kept") << u"<- メモ "_s << u"<- メモ "_s;
    QTest::newRow("one blank kept before <-") << u" <-abc"_s << u" <-abc"_s;
    QTest::newRow("the last of several kept before <-") << u"\t  <-abc \t"_s << u" <-abc"_s;
    QTest::newRow("only <- left") << u"  <-"_s << u" <-"_s;
    QTest::newRow("a lone < is no comment") << u"  <"_s << u"<"_s;
}

void TestLineShapes::trim()
{
    QFETCH(QString, line);
    QFETCH(QString, item);
    QCOMPARE(trimLine(line, QString()), item);
}

void TestLineShapes::trimRollTextMatchesTheLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty roll") << QString();
    QTest::newRow("one empty line") << u"\n"_s;
    QTest::newRow("no final break") << u" a \n <-b \n\tc"_s;
    QTest::newRow("empty lines between") << u" a \n\n\n　b　\n"_s;
}

// The CLI trims over views of the text; it must give what the editor's
// line-list command gives, with every setting that changes the items.
void TestLineShapes::trimRollTextMatchesTheLines()
{
    QFETCH(QString, text);
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const bool blank : {false, true}) {
        for (const bool ignore : {false, true}) {
            RollShapeSettings settings;
            settings.insertBlankLine = blank;
            settings.ignoreBreaks = ignore;
            QCOMPARE(trimRollText(text, settings), itemsToText(trimRoll(lines, settings)));
        }
    }
}

QTEST_APPLESS_MAIN(TestLineShapes)
#include "tst_lineshapes.moc"
