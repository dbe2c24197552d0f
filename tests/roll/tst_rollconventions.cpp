#include "roll/RollConventions.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(CommentKinds)

namespace {
CommentKinds kinds(bool simple, bool jump, bool summary, bool change)
{
    return CommentKinds{simple, jump, summary, change};
}
} // namespace

class TestRollConventions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commentLine_data();
    void commentLine();
    void recognisedComment_data();
    void recognisedComment();
    void commentText_data();
    void commentText();
    void talkerPart_data();
    void talkerPart();
};

void TestRollConventions::commentLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("comment");
    QTest::newRow("empty line is a caption line") << QString() << false;
    QTest::newRow("marker alone") << u"<-"_s << true;
    QTest::newRow("shorter than marker") << u"<"_s << false;
    QTest::newRow("jump marker") << u"<-◆見出し"_s << true;
    QTest::newRow("leading blank") << u" <-メモ"_s << false;
    QTest::newRow("leading full-width space") << u"　<-メモ"_s << false;
    QTest::newRow("long vowel mark instead of hyphen") << u"<ー"_s << false;
    QTest::newRow("full-width marker") << u"＜－"_s << false;
    QTest::newRow("marker later in the line") << u"本文<-メモ"_s << false;
    QTest::newRow("ruby code is plain text") << u"`r"_s << false;
}

void TestRollConventions::commentLine()
{
    QFETCH(QString, line);
    QFETCH(bool, comment);
    QCOMPARE(IsCommentLine(line), comment);
}

void TestRollConventions::recognisedComment_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<CommentKinds>("kinds");
    QTest::addColumn<bool>("recognised");
    const CommentKinds defaults;
    QTest::newRow("default recognises every kind: simple") << u"<-メモ"_s << defaults << true;
    QTest::newRow("default recognises every kind: change") << u"<-■交代"_s << defaults << true;
    QTest::newRow("default, caption line") << u"本文"_s << defaults << false;
    QTest::newRow("jump only, bare jump marker") << u"<-◆"_s << kinds(false, true, false, false) << true;
    QTest::newRow("jump only, jump comment") << u"<-◆見出し"_s << kinds(false, true, false, false) << true;
    QTest::newRow("jump only, simple comment") << u"<-メモ"_s << kinds(false, true, false, false) << false;
    QTest::newRow("summary only, jump comment") << u"<-◆見出し"_s << kinds(false, false, true, false) << false;
    QTest::newRow("summary only, summary comment") << u"<-●要約"_s << kinds(false, false, true, false) << true;
    QTest::newRow("change only, change comment") << u"<-■交代"_s << kinds(false, false, false, true) << true;
    QTest::newRow("nothing checked") << u"<-◆見出し"_s << kinds(false, false, false, false) << false;
    QTest::newRow("bare marker shorter than kind marker") << u"<-"_s << kinds(false, true, true, true) << false;
}

void TestRollConventions::recognisedComment()
{
    QFETCH(QString, line);
    QFETCH(CommentKinds, kinds);
    QFETCH(bool, recognised);
    QCOMPARE(IsRecognisedComment(line, kinds), recognised);
}

void TestRollConventions::commentText_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("marker alone gives empty text") << u"<-"_s << QString();
    QTest::newRow("kind symbol stays") << u"<-◆第一部"_s << u"◆第一部"_s;
    QTest::newRow("simple comment") << u"<-メモ"_s << u"メモ"_s;
    QTest::newRow("shorter than marker") << u"<"_s << QString();
}

void TestRollConventions::commentText()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QCOMPARE(CommentText(line), text);
}

void TestRollConventions::talkerPart_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("talker");
    QTest::newRow("empty line") << QString() << QString();
    QTest::newRow("no slash") << u"本日は晴天なり"_s << QString();
    QTest::newRow("full-width slash") << u"田中／本日は"_s << u"田中／"_s;
    QTest::newRow("half-width slash first") << u"田中/佐藤／発言"_s << u"田中/"_s;
    QTest::newRow("full-width slash first") << u"佐藤／発言/続き"_s << u"佐藤／"_s;
    QTest::newRow("slash at column 0") << u"／発言"_s << u"／"_s;
    QTest::newRow("slash at the end") << u"司会/"_s << u"司会/"_s;
}

void TestRollConventions::talkerPart()
{
    QFETCH(QString, line);
    QFETCH(QString, talker);
    QCOMPARE(TalkerPart(line), talker);
}

QTEST_APPLESS_MAIN(TestRollConventions)
#include "tst_rollconventions.moc"
