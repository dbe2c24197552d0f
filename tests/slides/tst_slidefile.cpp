#include "slides/SlideFile.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString kPage1 = u"-スライド1,0,,0,0,640,480,,,,,,,,,,"_s;
QString first(const QString &text, int colour = 16777215)
{
    return text + u",0,0,10,"_s + QString::number(colour) + u",c,c,,,,,,"_s;
}
QString next(const QString &text, int colour = 16777215)
{
    return text + u",,r1,10,"_s + QString::number(colour) + u",c,c,,,,,,"_s;
}
} // namespace

class TestSlideFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void convert_data();
    void convert();
    void recordsCountTheirCommas();
    void fields_data();
    void fields();
    void colours_data();
    void colours();
};

void TestSlideFile::convert_data()
{
    QTest::addColumn<QStringList>("roll");
    QTest::addColumn<bool>("codes");
    QTest::addColumn<QStringList>("records");
    QTest::newRow("page break starts a page named after its line")
        << QStringList{u"A"_s, u"B"_s, u"`@"_s, u"C"_s} << false
        << QStringList{kPage1, first(u"A"_s), next(u"B"_s), u"-スライド2,0,,0,0,640,480,,,,,,,,,,"_s, first(u"C"_s)};
    QTest::newRow("break on the first line") << QStringList{u"`@"_s} << false
        << QStringList{kPage1, u"-スライド0,0,,0,0,640,480,,,,,,,,,,"_s};
    QTest::newRow("break on line 1 repeats the title") << QStringList{u"A"_s, u"`@rest"_s} << false
        << QStringList{kPage1, first(u"A"_s), u"-スライド1,0,,0,0,640,480,,,,,,,,,,"_s};
    QTest::newRow("empty roll") << QStringList{} << false << QStringList{kPage1};
    QTest::newRow("comments dropped, r1 chain goes on")
        << QStringList{u"A"_s, u"<-メモ"_s, u"B"_s} << false << QStringList{kPage1, first(u"A"_s), next(u"B"_s)};
    QTest::newRow("suffix code") << QStringList{u"赤い字,1"_s} << true << QStringList{kPage1, first(u"赤い字"_s, 255)};
    QTest::newRow("later in-text code wins") << QStringList{u"`2青`0"_s} << true
                                             << QStringList{kPage1, first(u"青"_s, 16711680)};
    QTest::newRow("suffix 0 is the default") << QStringList{u"abc,0"_s} << true << QStringList{kPage1, first(u"abc"_s)};
    QTest::newRow("codes off: code removed, default colour") << QStringList{u"`3注意"_s} << false
                                                             << QStringList{kPage1, first(u"注意"_s)};
    QTest::newRow("codes off: commas removed") << QStringList{u"1,000円"_s} << false << QStringList{kPage1, first(u"1000円"_s)};
    QTest::newRow("trailing blanks removed, ideographic space kept") << QStringList{u"あ　 \t"_s} << false
                                                                     << QStringList{kPage1, first(u"あ　"_s)};
    QTest::newRow("empty line keeps its place") << QStringList{u"A"_s, QString(), u"B"_s} << false
        << QStringList{kPage1, first(u"A"_s), next(QString()), next(u"B"_s)};
    QTest::newRow("leading hyphen would read as a page") << QStringList{u"-続き"_s} << false
                                                         << QStringList{kPage1, first(u"－続き"_s)};
    QTest::newRow("percent signs stay text") << QStringList{u"%1 と %2"_s} << false << QStringList{kPage1, first(u"%1 と %2"_s)};
}

void TestSlideFile::convert()
{
    QFETCH(QStringList, roll);
    QFETCH(bool, codes);
    QFETCH(QStringList, records);
    SlideSettings settings;
    settings.colourCodes = codes;
    QCOMPARE(convertRollToSlide(roll, settings), records);
}

void TestSlideFile::recordsCountTheirCommas()
{
    const QStringList out = convertRollToSlide({u"A"_s, u"B"_s}, SlideSettings{});
    QCOMPARE(out.at(0).count(u','), 16);
    QCOMPARE(out.at(1).count(u','), 12);
    QCOMPARE(out.at(2).count(u','), 12);
    QVERIFY(slideFields(out.at(0)).first().startsWith(u'-'));
}

void TestSlideFile::fields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("text after the last comma is not a field") << u"a,b,c"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("no comma, no fields") << u"abc"_s << QStringList{};
    QTest::newRow("empty fields") << u",,"_s << QStringList{QString(), QString()};
}

void TestSlideFile::fields()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(slideFields(line), fields);
}

void TestSlideFile::colours_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("colour");
    QTest::newRow("number") << u"16711680"_s << 16711680;
    QTest::newRow("negative system colour") << u"-16777201"_s << -16777201;
    QTest::newRow("name") << u"clYellow"_s << 65535;
    QTest::newRow("names compare exactly") << u"clyellow"_s << -1;
    QTest::newRow("garbage") << u"blue"_s << -1;
}

void TestSlideFile::colours()
{
    QFETCH(QString, field);
    QFETCH(int, colour);
    QCOMPARE(slideColour(field, -1), colour);
}

QTEST_APPLESS_MAIN(TestSlideFile)
#include "tst_slidefile.moc"
