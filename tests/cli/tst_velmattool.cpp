// velmat-tool as a script would use it: arguments, standard input, output, status.
#include "platform/Cp932.h"
#include "reshape/DisplayWidth.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

class TestVelmatTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void run_data();
    void run();
    void shiftJisOutput();
    void dictionaryFile();
    void slideFile();
    void dictionaryExport();
    void joinFiles();
    void dp9Settings_data();
    void dp9Settings();
    void wordCommandsHelp_data();
    void wordCommandsHelp();
    void undecodedInputNamesItsEncoding();
    void fullOutputFailsLoudly_data();
    void fullOutputFailsLoudly();
    void endlessInputIsRefused_data();
    void endlessInputIsRefused();
    void longLineInALargeFont();
    void languageCommandsHelp_data();
    void languageCommandsHelp();
    void limitsOutsideTheSettings_data();
    void limitsOutsideTheSettings();
    void lostCharactersAreNamed_data();
    void lostCharactersAreNamed();
    void joinKeepsADocumentReadInPart();
    void joinReadsDocumentsWithItsOwnFilter();
    void analyserPastItsBound();
    void spinningInputIsAnalysed();
    void furiganaTwiceAddsNothing_data();
    void furiganaTwiceAddsNothing();

private:
    struct Result {
        QByteArray out;
        QByteArray err;
        int status;
    };
    Result tool(const QStringList &args, const QByteArray &input = {},
                const std::function<void(QProcess &)> &setUp = {});
};

TestVelmatTool::Result TestVelmatTool::tool(const QStringList &args, const QByteArray &input,
                                            const std::function<void(QProcess &)> &setUp)
{
    QProcess p;
    if (setUp)
        setUp(p);
    p.start(QStringLiteral(VELMAT_TOOL), args);
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000))
        qFatal("velmat-tool did not finish");
    return {p.readAllStandardOutput(), p.readAllStandardError(), p.exitCode()};
}

void TestVelmatTool::run_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input"); // UTF-8 here; sent as Shift-JIS unless it has a BOM
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");
    const QByteArray roll = "今日はとても良い天気です\r\n<-メモ\r\nabc\r\n";
    QTest::newRow("width per line") << QStringList{u"width"_s} << roll << u"24\n6\n3\n"_s << 0;
    QTest::newRow("count") << QStringList{u"count"_s, u"-"_s} << roll << u"19\n"_s << 0;
    QTest::newRow("check finds lines") << QStringList{u"check"_s, u"--chars"_s, u"5"_s} << roll
                                       << u"00001 : 今日はとても良い天気です\n"_s << 1;
    QTest::newRow("check passes") << QStringList{u"check"_s, u"--chars"_s, u"12"_s} << roll << QString() << 0;
    QTest::newRow("check by pixels") << QStringList{u"check"_s, u"--pixels"_s, u"1440"_s}
                                     << QByteArray("漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢\r\n") << u"00001 : 漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢\n"_s << 1;
    QTest::newRow("reshape by count") << QStringList{u"reshape"_s, u"--chars"_s, u"5"_s} << roll
                                      << u"今日はとて\nも良い天気\nです\n<-メモ\nabc\n"_s << 0;
    QTest::newRow("reshape by words") << QStringList{u"reshape"_s, u"--chars"_s, u"5"_s, u"--word-check"_s} << roll
                                      << u"今日は\nとても良い\n天気です\n<-メモ\nabc\n"_s << 0;
    QTest::newRow("reshape by pixels") << QStringList{u"reshape"_s, u"--pixels"_s, u"300"_s} << roll
                                       << u"今日はと\nても良い\n天気です\n<-メモ\nabc\n"_s << 0;
    const QByteArray example = "今日はとても良い天気です。明日も晴れるでしょう、たぶん。\r\n";
    QTest::newRow("reshape, kinsoku") << QStringList{u"reshape"_s, u"--chars"_s, u"6"_s, u"--word-check"_s, u"--kinsoku"_s}
                                      << example << u"今日はとても\n良い天気\nです。明日も\n晴れるでしょ\nう、たぶん。\n"_s << 0;
    QTest::newRow("reshape, phrases") << QStringList{u"reshape"_s, u"--chars"_s, u"6"_s, u"--phrase"_s}
                                      << example << u"今日はとても\n良い\n天気です。\n明日も晴れる\nでしょう、\nたぶん。\n"_s << 0;
    QTest::newRow("reshape, balance") << QStringList{u"reshape"_s, u"--chars"_s, u"10"_s, u"--balance"_s}
                                      << QByteArray("あいうえおかきくけこさしすせそたちつてとなにぬねの\r\n")
                                      << u"あいうえおかきくけ\nこさしすせそたち\nつてとなにぬねの\n"_s << 0;
    // Each face is one character: no empty line after the last.
    QTest::newRow("reshape, one emoji a line") << QStringList{u"reshape"_s, u"--chars"_s, u"1"_s}
                                               << QByteArray("\xEF\xBB\xBF" "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80\r\n")
                                               << u"😀\n😀\n😀\n"_s << 0;
    QTest::newRow("break at 。") << QStringList{u"break"_s, u"--at"_s, u"。"_s}
                                 << QByteArray("晴れ。雨\r\n") << u"晴れ。\n雨\n"_s << 0;
    QTest::newRow("center") << QStringList{u"center"_s, u"--chars"_s, u"10"_s} << QByteArray("あいう\r\n")
                            << u"       あいう\n"_s << 0;
    QTest::newRow("trim with blank lines") << QStringList{u"trim"_s, u"--cr-insert"_s} << QByteArray(" a \r\n")
                                           << u"a\n\n"_s << 0;
    QTest::newRow("reshape never makes a comment") << QStringList{u"reshape"_s, u"--chars"_s, u"4"_s}
                                                   << QByteArray("abcdefgh<-xyz\r\n") << u"abcd\nefg\nh<-x\nyz\n"_s << 0;
    QTest::newRow("trim never makes a comment") << QStringList{u"trim"_s} << QByteArray(" <-abc \r\n")
                                                << u" <-abc\n"_s << 0;
    QTest::newRow("UTF-8 input with BOM") << QStringList{u"count"_s} << QByteArray("\xEF\xBB\xBF漢字\r\n") << u"2\n"_s << 0;
    QTest::newRow("empty input") << QStringList{u"width"_s} << QByteArray() << QString() << 0;
    QTest::newRow("unknown command") << QStringList{u"frobnicate"_s} << QByteArray() << QString() << 2;
    QTest::newRow("missing limit") << QStringList{u"check"_s} << roll << QString() << 2;
    QTest::newRow("bad number") << QStringList{u"center"_s, u"--chars"_s, u"ten"_s} << roll << QString() << 2;
    QTest::newRow("unknown option") << QStringList{u"trim"_s, u"--frob"_s} << roll << QString() << 2;
    QTest::newRow("unreadable file") << QStringList{u"count"_s, u"/nonexistent/roll.txt"_s} << QByteArray() << QString() << 2;
    QTest::newRow("talkers") << QStringList{u"talkers"_s} << QByteArray("田中／はい\r\n佐藤/いいえ\r\n田中／ええ\r\n")
                             << u"田中／\n佐藤/\n"_s << 0;
    QTest::newRow("find") << QStringList{u"find"_s, u"の"_s} << QByteArray("私の\r\nです\r\nあの\r\n")
                          << u"00001 : 私の\n00003 : あの\n"_s << 0;
    QTest::newRow("find without text") << QStringList{u"find"_s} << roll << QString() << 2;
    QTest::newRow("bad mark") << QStringList{u"break"_s, u"--at"_s, u"/"_s} << roll << QString() << 2;
    QTest::newRow("furigana") << QStringList{u"furigana"_s} << QByteArray("テレビの漢字。\r\n<-漢字\r\nABC\r\n")
                              << u"`rてれび`sテレビの`rかんじ`s漢字。\n<-`rかんじ`s漢字\nABC\n"_s << 0;
    QTest::newRow("furigana without a final line break")
        << QStringList{u"furigana"_s} << QByteArray("漢字") << u"`rかんじ`s漢字"_s << 0;
    QTest::newRow("furigana for year 2") << QStringList{u"furigana"_s, u"--grade"_s, u"2"_s}
                                         << QByteArray("テレビの漢字と学校。\r\n")
                                         << u"テレビの`rかんじ`s漢字と学校。\n"_s << 0;
    QTest::newRow("furigana for no year") << QStringList{u"furigana"_s, u"--grade"_s, u"0"_s}
                                          << QByteArray("テレビと学校\r\n")
                                          << u"`rてれび`sテレビと`rがっこう`s学校\n"_s << 0;
    QTest::newRow("furigana for year 7") << QStringList{u"furigana"_s, u"--grade"_s, u"7"_s} << roll << QString()
                                         << 2;
    QTest::newRow("furigana for a word of a year")
        << QStringList{u"furigana"_s, u"--grade=two"_s} << roll << QString() << 2;
    QTest::newRow("advise") << QStringList{u"advise"_s} << QByteArray("機会と機械。愛\r\n")
                            << u"似た名前\n"
                               "使用漢字のアドバイス（教育漢字/常用漢字）\n"
                               "  中学生が習得していない漢字\n"
                               "  変更を検討したほうが良い漢字\n"
                               "  小学１年生が習得していない漢字\n    会\n    愛\n    械\n    機\n"
                               "  小学２年生が習得していない漢字\n    愛\n    械\n    機\n"
                               "  小学３年生が習得していない漢字\n    愛\n    械\n    機\n"
                               "  小学４年生が習得していない漢字\n"
                               "  小学５年生が習得していない漢字\n"
                               "  小学６年生が習得していない漢字\n"
                               "  常用漢字以外\n"
                               "  第２水準漢字\n"
                               "同音異字\n"
                               "  同音語があります （『機会』と『機械』）\n"
                               "辞書にない文字\n"_s
                            << 0;
    QTest::newRow("advise without the analyser")
        << QStringList{u"advise"_s, u"--chasen"_s, u"/nonexistent/chasen"_s} << roll << QString() << 2;
    QTest::newRow("furigana without the analyser")
        << QStringList{u"furigana"_s, u"--chasen"_s, u"/nonexistent/chasen"_s} << roll << QString() << 2;
    const QByteArray words = "東京に行く。\r\n<-東京へ\r\n３人のこと\r\n書いた東京\r\n";
    QTest::newRow("parts of speech") << QStringList{u"words"_s} << QByteArray("山田が走った\r\n")
                                     << u"助動詞\n助詞-格助詞-一般\n動詞-自立\n名詞-固有名詞-人名-姓\n"_s << 0;
    QTest::newRow("words of a part of speech") << QStringList{u"words"_s, u"--pos"_s, u"動詞-自立"_s} << words
                                               << u"行く\n書い\n"_s << 0;
    QTest::newRow("base forms") << QStringList{u"words"_s, u"--pos"_s, u"動詞-自立"_s, u"--base"_s} << words
                                << u"行く\n書く\n"_s << 0;
    QTest::newRow("export without a part of speech")
        << QStringList{u"words"_s, u"--export"_s, u"/tmp/x.txt"_s} << words << QString() << 2;
    QTest::newRow("analyser missing") << QStringList{u"words"_s, u"--chasen"_s, u"/nonexistent/chasen"_s} << words
                                      << QString() << 2;
    // MeCab's records read as ChaSen's: the same results where the two agree.
    QTest::newRow("parts of speech, MeCab") << QStringList{u"words"_s, u"--analyser"_s, u"mecab"_s}
                                            << QByteArray("山田が走った\r\n")
                                            << u"助動詞\n助詞-格助詞-一般\n動詞-自立\n名詞-固有名詞-人名-姓\n"_s << 0;
    QTest::newRow("reshape by words, MeCab")
        << QStringList{u"reshape"_s, u"--chars"_s, u"5"_s, u"--word-check"_s, u"--analyser=mecab"_s} << roll
        << u"今日は\nとても良い\n天気です\n<-メモ\nabc\n"_s << 0;
    QTest::newRow("furigana, MeCab") << QStringList{u"furigana"_s, u"--analyser"_s, u"MeCab"_s}
                                     << QByteArray("テレビの漢字。\r\n<-漢字\r\n")
                                     << u"`rてれび`sテレビの`rかんじ`s漢字。\n<-`rかんじ`s漢字\n"_s << 0;
    QTest::newRow("analyze, MeCab") << QStringList{u"analyze"_s, u"--analyser"_s, u"mecab"_s}
                                    << QByteArray("読んだ\r\n")
                                    << u"読ん,読む,ヨン,動詞-自立\nだ,だ,ダ,助動詞\nEOS\n"_s << 0;
    QTest::newRow("MeCab missing") << QStringList{u"words"_s, u"--analyser=mecab"_s, u"--mecab=/nonexistent/mecab"_s}
                                   << words << QString() << 2;
    QTest::newRow("unknown analyser") << QStringList{u"analyze"_s, u"--analyser"_s, u"juman"_s} << words << QString()
                                      << 2;
    QTest::newRow("time limit of no time") << QStringList{u"words"_s, u"--time-limit"_s, u"0"_s} << words
                                           << QString() << 2;
    QTest::newRow("marks") << QStringList{u"marks"_s} << words
                           << u"00001\t東京\t名詞\n00001\t行く\t動詞\n00002\t東京\t名詞\n"
                              u"00004\t書い\t動詞\n00004\t東京\t名詞\n"_s
                           << 0;
    QTest::newRow("marks of base forms") << QStringList{u"marks"_s, u"--base"_s} << words
                                         << u"00001\t東京\t名詞\n00001\t行く\t動詞\n00002\t東京\t名詞\n"
                                            u"00004\t東京\t名詞\n"_s
                                         << 0;
}

void TestVelmatTool::run()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QString, output);
    QFETCH(int, status);
    const QByteArray bytes = input.startsWith("\xEF\xBB\xBF") ? input : cp932Encode(QString::fromUtf8(input));
    const Result r = tool(args, bytes);
    QCOMPARE(r.status, status);
    QCOMPARE(QString::fromUtf8(r.out), output);
    if (status == 2)
        QVERIFY(r.err.startsWith("velmat-tool: "));
}

void TestVelmatTool::shiftJisOutput()
{
    const Result r = tool({u"break"_s, u"--at"_s, u"、"_s, u"--sjis"_s}, cp932Encode(u"まず、次に\r\n"_s));
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, cp932Encode(u"まず、\r\n次に\r\n"_s));
}

void TestVelmatTool::dictionaryFile()
{
    QTemporaryDir dir;
    const QString dic = dir.filePath(u"dic.txt"_s);
    QFile f(dic);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(cp932Encode(u"良い天気\r\n"_s));
    f.close();
    const Result r = tool({u"reshape"_s, u"--chars"_s, u"5"_s, u"--word-check"_s, u"--dic"_s, dic},
                          cp932Encode(u"今日はとても良い天気です\r\n"_s));
    QCOMPARE(QString::fromUtf8(r.out), u"今日は\nとても\n良い天気\nです\n"_s);
    const Result missing = tool({u"reshape"_s, u"--chars"_s, u"5"_s, u"--word-check"_s, u"--dic"_s,
                                 dir.filePath(u"none.txt"_s)},
                                cp932Encode(u"あ\r\n"_s));
    QCOMPARE(missing.status, 2);

    // A lone surrogate in a UTF-16 dictionary: told, left out, and no pair split.
    QFile broken(dic);
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write(QByteArray("\xFF\xFE\x3D\xD8\x0D\x00\x0A\x00\x68\x56\x0D\x00\x0A\x00", 14));
    broken.close();
    const QByteArray faces = "\xEF\xBB\xBF" + (u"a"_s + QString(9, u'x').replace(u"x"_s, u"😀"_s) + u"\r\n"_s).toUtf8();
    const Result split = tool({u"reshape"_s, u"--chars"_s, u"4"_s, u"--word-check"_s, u"--dic"_s, dic}, faces);
    QCOMPARE(split.status, 0);
    const QStringList lines = QString::fromUtf8(split.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.join(QString()), u"a"_s + QString(9, u'x').replace(u"x"_s, u"😀"_s));
    for (const QString &line : lines) {
        QVERIFY2(!line.contains(QChar::ReplacementCharacter), qPrintable(line)); // no half pair
        QVERIFY(MecsStringWidth(line) <= 8);
    }
    QCOMPARE(QString::fromUtf8(split.err),
             u"velmat-tool: warning: 1 byte sequence(s) in \"%1\" could not be decoded as UTF-16 and show as U+FFFD\n"
             u"velmat-tool: warning: dictionary line(s) 1 hold a broken character and are left out\n"_s.arg(dic));
}

void TestVelmatTool::slideFile()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(u"roll.sl1"_s);
    const Result r = tool({u"slide"_s, u"--color-codes"_s, u"-o"_s, out}, cp932Encode(u"赤い字,1\r\n`@\r\n次\r\n"_s));
    QCOMPARE(r.status, 0);
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), cp932Encode(u"-スライド1,0,,0,0,640,480,,,,,,,,,,\r\n赤い字,0,0,10,255,c,c,,,,,,\r\n"
                                      u"-スライド1,0,,0,0,640,480,,,,,,,,,,\r\n次,0,0,10,16777215,c,c,,,,,,\r\n"_s));
    QCOMPARE(tool({u"slide"_s}, {}).status, 2);
    QCOMPARE(tool({u"slide"_s, u"--page-color"_s, u"pink"_s, u"-o"_s, out}, {}).status, 2);
}

void TestVelmatTool::dictionaryExport()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"dic.txt"_s);
    const Result r = tool({u"words"_s, u"--pos"_s, u"名詞-固有名詞-地域-一般"_s, u"--export"_s, path},
                          cp932Encode(u"東京と京都と東京\r\n"_s));
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QByteArray());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 11);
    QVERIFY(lines.at(5).startsWith("!DateTime: "));
    QCOMPARE(lines.at(8), cp932Encode(u"とうきょう\t東京\t名詞-固有名詞-地域-一般\r"_s));
    QCOMPARE(lines.at(9), cp932Encode(u"きょうと\t京都\t名詞-固有名詞-地域-一般\r"_s));

    const Result unwritable = tool({u"words"_s, u"--pos"_s, u"名詞"_s, u"--export"_s, dir.filePath(u"no/dic.txt"_s)},
                                   cp932Encode(u"東京\r\n"_s));
    QCOMPARE(unwritable.status, 3);
    QVERIFY2(unwritable.err.startsWith("velmat-tool: cannot write"), unwritable.err.constData());
}

void TestVelmatTool::joinFiles()
{
    QTemporaryDir dir;
    const auto write = [&dir](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write the fixture");
        f.write(bytes);
        return f.fileName();
    };
    const QString a = write(u"a.txt"_s, cp932Encode(u"あ\r\nい\r\n"_s));
    const QString b = write(u"b.txt"_s, cp932Encode(u"う"_s));
    const QString missing = dir.filePath(u"none.txt"_s);
    const QString out = dir.filePath(u"joined.txt"_s);
    Result r = tool({u"join"_s, u"-o"_s, out, u"--time"_s, u"2012-09-02T13:45:01"_s, a, missing, b});
    QCOMPARE(r.status, 1);
    QVERIFY2(QString::fromUtf8(r.err).contains(missing), r.err.constData());
    QVERIFY(!QString::fromUtf8(r.err).contains(a));
    QFile joined(out);
    QVERIFY(joined.open(QIODevice::ReadOnly));
    QCOMPARE(joined.readAll(), cp932Encode(u"<- ファイル結合実施  2012/09/02 13:45:01\r\n\r\n\r\n<-●a.txt\r\nあ\r\nい\r\n"
                                           "<-●none.txt\r\n<-●b.txt\r\nう\r\n"_s));
    joined.close();
    r = tool({u"join"_s, u"-o"_s, out, a});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    QCOMPARE(tool({u"join"_s, a}).status, 2); // no -o
}

void TestVelmatTool::dp9Settings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");
    QTest::newRow("three items") << cp932Encode(u"1=800:x:\r\n7=ＭＳ ゴシック:x:\r\n9=40:x:\r\n"_s)
                                 << u"width=800\nfont=ＭＳ ゴシック\nsize=40\n"_s << 0;
    QTest::newRow("one item") << QByteArray("1=abc:x:\r\n") << u"width=0\n"_s << 0;
    QTest::newRow("binary") << QByteArray("1=800:x:\0\0", 10) << QString() << 2;
}

void TestVelmatTool::dp9Settings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, output);
    QFETCH(int, status);
    QTemporaryDir dir;
    QFile f(dir.filePath(u"s.dp9"_s));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const Result r = tool({u"dp9"_s, f.fileName()});
    QCOMPARE(r.status, status);
    QCOMPARE(QString::fromUtf8(r.out), output);
    QCOMPARE(r.err.isEmpty(), status == 0);
}

void TestVelmatTool::wordCommandsHelp_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("words") << u"words"_s << QStringList{u"--pos"_s, u"--base"_s, u"--export"_s, u"--chasen"_s};
    QTest::newRow("marks") << u"marks"_s << QStringList{u"--base"_s, u"--chasen"_s};
    QTest::newRow("join") << u"join"_s << QStringList{u"--output"_s, u"--filter"_s, u"--time"_s};
    QTest::newRow("dp9") << u"dp9"_s << QStringList{u"item 1"_s};
}

void TestVelmatTool::wordCommandsHelp()
{
    QFETCH(QString, command);
    QFETCH(QStringList, options);
    const Result r = tool({command, u"--help"_s});
    QCOMPARE(r.status, 0);
    const QString help = QString::fromUtf8(r.out);
    for (const QString &option : options)
        QVERIFY2(help.contains(option), qPrintable(option));
    QVERIFY(QString::fromUtf8(tool({u"--help"_s}).out).contains(u"  "_s + command + u' '));
}

void TestVelmatTool::undecodedInputNamesItsEncoding()
{
    const Result r = tool({u"count"_s}, QByteArray("\xEF\xBB\xBF" "A\xFF\r\n"));
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QByteArray("velmat-tool: warning: 1 byte sequence(s) in standard input could not be decoded "
                               "as UTF-8 and show as U+FFFD\n"));
}

void TestVelmatTool::fullOutputFailsLoudly_data()
{
    QTest::addColumn<QStringList>("args");
    const QString missingFolder = u"/nonexistent-folder/roll.sl1"_s;
    QTest::newRow("width") << QStringList{u"width"_s};
    QTest::newRow("check that finds a line") << QStringList{u"check"_s, u"--chars"_s, u"2"_s};
    QTest::newRow("count") << QStringList{u"count"_s};
    QTest::newRow("reshape") << QStringList{u"reshape"_s, u"--chars"_s, u"2"_s};
    QTest::newRow("break") << QStringList{u"break"_s, u"--at"_s, u"。"_s, u"--sjis"_s};
    QTest::newRow("center") << QStringList{u"center"_s, u"--chars"_s, u"10"_s};
    QTest::newRow("trim") << QStringList{u"trim"_s};
    QTest::newRow("talkers") << QStringList{u"talkers"_s};
    QTest::newRow("find") << QStringList{u"find"_s, u"あ"_s};
    QTest::newRow("convert") << QStringList{u"convert"_s, u"--num=full"_s};
    QTest::newRow("convert tables") << QStringList{u"convert"_s, u"--show-tables"_s};
    QTest::newRow("usage") << QStringList{u"--help"_s};
    QTest::newRow("version") << QStringList{u"--version"_s};
    QTest::newRow("help of a command") << QStringList{u"trim"_s, u"--help"_s};
    QTest::newRow("help of find") << QStringList{u"find"_s, u"--help"_s};
    QTest::newRow("help of furigana") << QStringList{u"furigana"_s, u"--help"_s};
    QTest::newRow("help of advise") << QStringList{u"advise"_s, u"--help"_s};
    QTest::newRow("furigana") << QStringList{u"furigana"_s};
    QTest::newRow("advise") << QStringList{u"advise"_s};
    QTest::newRow("words") << QStringList{u"words"_s};
    QTest::newRow("marks") << QStringList{u"marks"_s};
    QTest::newRow("slide file that cannot be written") << QStringList{u"slide"_s, u"-o"_s, missingFolder};
}

void TestVelmatTool::fullOutputFailsLoudly()
{
    QFETCH(QStringList, args);
    const Result r = tool(args, cp932Encode(u"あいう。\r\n田中／はい\r\n"_s),
                          [](QProcess &p) { p.setStandardOutputFile(u"/dev/full"_s); });
    QCOMPARE(r.status, 3);
    QVERIFY2(r.err.startsWith("velmat-tool: cannot write"), r.err.constData());
}

void TestVelmatTool::endlessInputIsRefused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("asStandardInput");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("as a file") << QStringList{u"count"_s, u"/dev/zero"_s} << false
                               << QByteArray("velmat-tool: \"/dev/zero\" is larger than 256 MiB, the most "
                                             "velmat-tool reads\n");
    QTest::newRow("as the user conversion list")
        << QStringList{u"convert"_s, u"--user=fwd"_s, u"--user-list"_s, u"/dev/zero"_s} << false
        << QByteArray("velmat-tool: \"/dev/zero\" is larger than 16 MiB, the most a conversion list may have\n");
    QTest::newRow("as standard input") << QStringList{u"width"_s} << true
                                       << QByteArray("velmat-tool: standard input is larger than 256 MiB, the most "
                                                     "velmat-tool reads\n");
}

void TestVelmatTool::endlessInputIsRefused()
{
    QFETCH(QStringList, args);
    QFETCH(bool, asStandardInput);
    QFETCH(QByteArray, message);
    const Result r = tool(args, {}, [asStandardInput](QProcess &p) {
        if (asStandardInput)
            p.setStandardInputFile(u"/dev/zero"_s);
    });
    QCOMPARE(r.status, 2);
    QCOMPARE(r.err, message);
    QVERIFY(r.out.isEmpty());
}

// 1.62 M characters of 1333 pixels pass 2^31 pixels in all.
void TestVelmatTool::longLineInALargeFont()
{
    const QByteArray roll = cp932Encode(QString(1620000, u'漢') + u"\r\n"_s);
    const Result check = tool({u"check"_s, u"--pixels"_s, u"640"_s, u"--size"_s, u"1000"_s}, roll);
    QCOMPARE(check.status, 1);
    QVERIFY(check.out.startsWith("00001 : "));
    // Each character is wider than the screen, so each stands alone (the last
    // one is cut off too, leaving an empty line after it).
    const Result reshaped = tool({u"reshape"_s, u"--pixels"_s, u"640"_s, u"--size"_s, u"1000"_s}, roll);
    QCOMPARE(reshaped.status, 0);
    QCOMPARE(reshaped.out.count('\n'), 1620001);
    QVERIFY(reshaped.out.startsWith("漢\n漢\n"));
}

void TestVelmatTool::languageCommandsHelp_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("furigana") << u"furigana"_s;
    QTest::newRow("advise") << u"advise"_s;
}

void TestVelmatTool::languageCommandsHelp()
{
    QFETCH(QString, command);
    const Result r = tool({command, u"--help"_s});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("--chasen <PATH>"));
    QVERIFY(r.out.contains("[FILE]"));
    QVERIFY(tool({u"--help"_s}).out.contains("  " + command.toUtf8() + "  "));
}

void TestVelmatTool::limitsOutsideTheSettings_data()
{
    // A limit the settings window would not take is refused before the roll is
    // read: centring within 100000 characters wrote gigabytes of blanks.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::newRow("center --chars 100000") << QStringList{u"center"_s, u"--chars"_s, u"100000"_s}
                                           << u"--chars takes a whole number from 0 to 100"_s;
    QTest::newRow("center --chars 100") << QStringList{u"center"_s, u"--chars"_s, u"100"_s} << QString();
    QTest::newRow("check --chars 101") << QStringList{u"check"_s, u"--chars"_s, u"101"_s}
                                       << u"--chars takes a whole number from 0 to 100"_s;
    QTest::newRow("check --pixels 3001") << QStringList{u"check"_s, u"--pixels"_s, u"3001"_s}
                                         << u"--pixels takes a whole number from 0 to 3000"_s;
    QTest::newRow("reshape --chars 101") << QStringList{u"reshape"_s, u"--chars"_s, u"101"_s}
                                         << u"--chars takes a whole number from 1 to 100"_s;
    QTest::newRow("reshape --pixels 1000000") << QStringList{u"reshape"_s, u"--pixels"_s, u"1000000"_s}
                                              << u"--pixels takes a whole number from 1 to 3000"_s;
}

void TestVelmatTool::limitsOutsideTheSettings()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Result r = tool(args, cp932Encode(u"あいう\r\n"_s));
    if (message.isEmpty()) {
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        return;
    }
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(QString::fromUtf8(r.err),
             u"velmat-tool: %1 (see velmat-tool %2 --help)\n"_s.arg(message, args.first()));
}

void TestVelmatTool::lostCharactersAreNamed_data()
{
    // Shift-JIS output that turns characters into "?" says which and where,
    // and its status tells it from a clean run.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("written"); // "stdout", or the output file's name
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lines");
    const QString header = u"--time=2012-09-02T13:45:01"_s;
    QTest::newRow("--sjis") << QStringList{u"trim"_s, u"--sjis"_s} << u"stdout"_s << 4 << u"2, 4"_s;
    QTest::newRow("UTF-8 output loses nothing") << QStringList{u"trim"_s} << u"stdout"_s << 0 << QString();
    QTest::newRow("a check that finds lines still says so")
        << QStringList{u"check"_s, u"--chars"_s, u"1"_s, u"--sjis"_s} << u"stdout"_s << 1 << u"1, 2"_s;
    QTest::newRow("slide -o") << QStringList{u"slide"_s, u"-o"_s, u"OUT"_s} << u"OUT"_s << 4 << u"3, 5"_s;
    QTest::newRow("join -o") << QStringList{u"join"_s, header, u"-o"_s, u"OUT"_s, u"IN"_s} << u"OUT"_s << 4
                             << u"6, 8"_s;
}

void TestVelmatTool::lostCharactersAreNamed()
{
    QFETCH(QStringList, args);
    QFETCH(QString, written);
    QFETCH(int, status);
    QFETCH(QString, lines);
    QTemporaryDir dir;
    const QByteArray roll = (u"\uFEFFあ\n한국어 😀\nい\ncafé €\n"_s).toUtf8();
    const QString in = dir.filePath(u"in.txt"_s);
    QFile f(in);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(roll);
    f.close();
    const QString out = dir.filePath(u"out"_s);
    args.replaceInStrings(u"OUT"_s, out);
    args.replaceInStrings(u"IN"_s, in);
    const Result r = tool(args, roll);
    QCOMPARE(r.status, status);
    if (lines.isEmpty()) {
        QVERIFY(r.err.isEmpty());
        return;
    }
    const QString where = written == u"stdout" ? u"standard output"_s : u"\"%1\""_s.arg(out);
    QCOMPARE(QString::fromUtf8(r.err),
             u"velmat-tool: warning: 6 character(s) in %1 cannot be written in Shift-JIS and became \"?\" "
             u"(line(s) %2): 「한」(U+D55C), 「국」(U+AD6D), 「어」(U+C5B4), 「😀」(U+1F600), 「é」(U+00E9), "
             u"「€」(U+20AC)\n"_s.arg(where, lines));
}

void TestVelmatTool::joinKeepsADocumentReadInPart()
{
    // The filter read part of the document: its text is joined, its reason
    // told, and the status is not that of a clean join.
    QTemporaryDir dir;
    const QString filter = dir.filePath(u"filter.sh"_s);
    QFile script(filter);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf 'read\\r\\n'; echo 'the rest is damaged' >&2; exit 3\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString doc = dir.filePath(u"part.docx"_s);
    QFile d(doc);
    QVERIFY(d.open(QIODevice::WriteOnly));
    d.close();
    const QString out = dir.filePath(u"joined.txt"_s);
    const Result r = tool({u"join"_s, u"--time=2012-09-02T13:45:01"_s, u"--filter"_s, filter, u"-o"_s, out, doc});
    QCOMPARE(r.status, 4);
    QCOMPARE(QString::fromUtf8(r.err),
             u"velmat-tool: warning: \"%1\" には読めない部分がありました。読めた文字だけを読み込んでいます。 "
             u"the rest is damaged\n"_s.arg(doc));
    QFile joined(out);
    QVERIFY(joined.open(QIODevice::ReadOnly));
    QCOMPARE(joined.readAll(),
             cp932Encode(u"<- ファイル結合実施  2012/09/02 13:45:01\r\n\r\n\r\n<-●part.docx\r\nread\r\n"_s));
}

void TestVelmatTool::joinReadsDocumentsWithItsOwnFilter()
{
    // Without --filter the filter that comes with the tool reads documents;
    // a program named xdoc2txt is found on no Linux system.
    QTemporaryDir dir;
    const QString out = dir.filePath(u"joined.txt"_s);
    const QString doc = QStringLiteral(VELMAT_DOCUMENTS) + u"/sheets.xlsx"_s;
    const Result r = tool({u"join"_s, u"--time=2012-09-02T13:45:01"_s, u"-o"_s, out, doc});
    QVERIFY2(r.status == 0, r.err.constData());
    QFile joined(out);
    QVERIFY(joined.open(QIODevice::ReadOnly));
    QCOMPARE(joined.readAll(), cp932Encode(u"<- ファイル結合実施  2012/09/02 13:45:01\r\n\r\n\r\n<-●sheets.xlsx\r\n"
                                           u"話者\t字幕\r\n田中\t\t42\r\n\r\n\t空白の後\r\n同じ\t同じ\t上の行\r\n"
                                           u"下の行\r\n\r\n二枚目\r\n"_s));
}

void TestVelmatTool::analyserPastItsBound()
{
    QTemporaryDir dir;
    const QString stuck = dir.filePath(u"stuck-analyser"_s);
    QFile script(stuck);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 30\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    const Result r = tool({u"furigana"_s, u"--chasen"_s, stuck, u"--time-limit"_s, u"0.5"_s}, cp932Encode(u"漢字\r\n"_s));
    QCOMPARE(r.status, 2);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.err, QByteArray("velmat-tool: ChaSen did not finish within 1 s and was stopped (the roll may hold "
                               "a run of characters it cannot analyse; --time-limit allows more time)\n"));
}

void TestVelmatTool::spinningInputIsAnalysed()
{
    // A line that kept ChaSen busy for ever: 「キキー」, 「キャキー」 ten
    // times, a blank and 「キ」. The analysis ends; the words after it are found.
    const QString line = u"キキー"_s + u"キャキー"_s.repeated(10) + u" キ"_s;
    const Result r = tool({u"words"_s, u"--pos"_s, u"名詞-一般"_s}, cp932Encode(line + u"\r\n本\r\n"_s));
    QCOMPARE(r.status, 0);
    QCOMPARE(QString::fromUtf8(r.out), u"本\n"_s);
}

void TestVelmatTool::furiganaTwiceAddsNothing_data()
{
    QTest::addColumn<QString>("analyser");
    QTest::newRow("ChaSen") << u"chasen"_s;
    QTest::newRow("MeCab") << u"mecab"_s;
}

void TestVelmatTool::furiganaTwiceAddsNothing()
{
    QFETCH(QString, analyser);
    const QByteArray roll = cp932Encode(testDataText(u"roll-sample.txt"_s));
    const Result once = tool({u"furigana"_s, u"--sjis"_s, u"--analyser"_s, analyser}, roll);
    QCOMPARE(once.status, 0);
    QVERIFY(once.out.count("`r") > 50);
    const Result twice = tool({u"furigana"_s, u"--sjis"_s, u"--analyser"_s, analyser}, once.out);
    QCOMPARE(twice.status, 0);
    QCOMPARE(twice.out, once.out);
}

QTEST_GUILESS_MAIN(TestVelmatTool)
#include "tst_velmattool.moc"
