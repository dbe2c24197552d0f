// Reading the caption screen from IPtalk's settings file: the items taken, and
// files that are not plainly such a file, which must change nothing.
#include "platform/Cp932.h"
#include "reshape/IPtalkSettings.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(std::optional<QString>)

class TestIPtalkSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void items_data();
    void items();
    void refused_data();
    void refused();
    void randomBytesNeverHalfApply();
    void appliesOnlyWhatTheFileHolds();
    void unopenableFile();
};

void TestIPtalkSettings::items_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::optional<int>>("width");
    QTest::addColumn<std::optional<QString>>("font");
    QTest::addColumn<std::optional<int>>("points");
    const auto none = std::optional<int>();
    const auto noFont = std::optional<QString>();
    QTest::newRow("the three items") << cp932Encode(u"1=800:x:\r\n7=ＭＳ ゴシック:x:\r\n9=40:x:\r\n"_s)
                                     << std::optional(800) << std::optional(u"ＭＳ ゴシック"_s) << std::optional(40);
    QTest::newRow("any separator, leading blanks") << QByteArray("  1\t640:x:\r\n9#12:y:z")
                                                   << std::optional(640) << noFont << std::optional(12);
    QTest::newRow("not a number") << QByteArray("1=abc:x:\r\n") << std::optional(0) << noFont << none;
    QTest::newRow("digits then text") << QByteArray("9=36pt:x:\r\n") << none << noFont << std::optional(36);
    QTest::newRow("empty value changes nothing") << QByteArray("7=:x:\r\n") << none << noFont << none;
    QTest::newRow("width clamped") << QByteArray("1=5000:x:\r\n") << std::optional(3000) << noFont << none;
    QTest::newRow("negative width") << QByteArray("1=-20:x:\r\n") << std::optional(0) << noFont << none;
    QTest::newRow("size clamped") << QByteArray("9=99999999999999999999:x:\r\n") << none << noFont
                                  << std::optional(300);
    QTest::newRow("last one wins") << QByteArray("1=100:x:\r\n1=200:x:\r\n") << std::optional(200) << noFont << none;
    QTest::newRow("other items ignored") << QByteArray("2=5:x:\r\n17=a:x:\r\n10=3:x:\r\nx=1:x:\r\n")
                                         << none << noFont << none;
    QTest::newRow("item 70 is not item 7") << QByteArray("70=Arial:x:\r\n") << none << noFont << none;
    QTest::newRow("a too long line is skipped") << QByteArray("7=" + QByteArray(5000, 'F') + ":x:\r\n9=20:x:\r\n")
                                                << none << noFont << std::optional(20);
    QTest::newRow("UTF-8 with a mark") << QByteArray("\xEF\xBB\xBF" "7=\xE6\x98\x8E\xE6\x9C\x9D:x:\n")
                                       << none << std::optional(u"明朝"_s) << none;
    QTest::newRow("UTF-8 without a mark") << QByteArray("7=\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF:x:\n")
                                          << none << std::optional(u"ゴシック"_s) << none;
    QTest::newRow("UTF-16LE") << QByteArray("\xFF\xFE" "1\0=\0" "9\0:\0x\0:\0", 14) << std::optional(9) << noFont
                              << none;
    QTest::newRow("empty file") << QByteArray() << none << noFont << none;
    // A separator outside the Basic Multilingual Plane is one character, not
    // two units of which the second would begin the font name.
    QTest::newRow("non-BMP separator") << QByteArray("\xEF\xBB\xBF" "7\xF0\x9F\x98\x80" "Arial:x:\n") << none
                                       << std::optional(u"Arial"_s) << none;
    QTest::newRow("separator with a combining mark") << QByteArray("\xEF\xBB\xBF" "7e\xCC\x81" "Arial:x:\n") << none
                                                     << std::optional(u"Arial"_s) << none;
}

void TestIPtalkSettings::items()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::optional<int>, width);
    QFETCH(std::optional<QString>, font);
    QFETCH(std::optional<int>, points);
    const IPtalkSettings read = parseIPtalkSettings(bytes);
    QVERIFY2(read.readable(), qPrintable(read.problem));
    QCOMPARE(read.screenWidth, width);
    QCOMPARE(read.font, font);
    QCOMPARE(read.points, points);
}

void TestIPtalkSettings::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("binary") << QByteArray("1=800:x:\r\n\0\0\x07\x01garbage", 20);
    QTest::newRow("cut inside a Shift-JIS character") << QByteArray("1=800:x:\r\n7=\x82\xa0\x82");
    QTest::newRow("cut inside an item line") << QByteArray("1=800:x:\r\n7=ＭＳ");
    QTest::newRow("huge") << QByteArray(kIPtalkSettingsLimit + 1, ' ');
    QTest::newRow("neither Shift-JIS nor UTF-8") << QByteArray("7=\x80\xff\xfe:x:\r\n");
}

void TestIPtalkSettings::refused()
{
    QFETCH(QByteArray, bytes);
    const IPtalkSettings read = parseIPtalkSettings(bytes);
    QVERIFY(!read.readable());
    QVERIFY(!read.hasItems());
    QVERIFY(!read.openFailed);
}

// Random and damaged files: either refused whole, or every value in range.
void TestIPtalkSettings::randomBytesNeverHalfApply()
{
    QRandomGenerator random(20261211);
    const QByteArray good = cp932Encode(u"1=800:x:\r\n7=ＭＳ ゴシック:x:\r\n9=40:x:\r\n"_s);
    for (int run = 0; run < 300; ++run) {
        QByteArray bytes = good;
        const int flips = int(random.bounded(1, 8));
        for (int i = 0; i < flips; ++i)
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        bytes.truncate(random.bounded(int(bytes.size()) + 1));
        const IPtalkSettings read = parseIPtalkSettings(bytes);
        if (!read.readable()) {
            QVERIFY(!read.hasItems());
            continue;
        }
        QVERIFY(!read.screenWidth || (*read.screenWidth >= 0 && *read.screenWidth <= 3000));
        QVERIFY(!read.points || (*read.points >= 0 && *read.points <= 300));
        QVERIFY(!read.font || !read.font->contains(u':'));
    }
}

void TestIPtalkSettings::appliesOnlyWhatTheFileHolds()
{
    const WidthCheckSettings before{640, u"Arial"_s, 55};
    IPtalkSettings items;
    items.points = 30;
    QCOMPARE(withIPtalkSettings(before, items), (WidthCheckSettings{640, u"Arial"_s, 30}));
}

void TestIPtalkSettings::unopenableFile()
{
    QTemporaryDir dir;
    const IPtalkSettings missing = readIPtalkSettings(dir.filePath(u"none.dp9"_s));
    QVERIFY(missing.openFailed);
    QVERIFY(!missing.readable());
    const IPtalkSettings folder = readIPtalkSettings(dir.path());
    QVERIFY(!folder.readable());
    QVERIFY(!folder.hasItems());
}

QTEST_GUILESS_MAIN(TestIPtalkSettings)
#include "tst_iptalksettings.moc"
