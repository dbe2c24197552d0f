// The roll file format and the choice between reading a file and filtering it.
#include "roll/RollFile.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRollFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileBytes_data();
    void fileBytes();
    void lineBreaks_data();
    void lineBreaks();
    void fileToEditorAndBackIsByteExact_data();
    void fileToEditorAndBackIsByteExact();
    void plainRollPath_data();
    void plainRollPath();
    void describeCharacters_data();
    void describeCharacters();
    void filterCall_data();
    void filterCall();
};

void TestRollFile::fileBytes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty editor: zero bytes") << QStringList{} << QByteArray();
    QTest::newRow("one empty line: zero bytes") << QStringList{u""_s} << QByteArray();
    QTest::newRow("あ: its two bytes and CR LF") << QStringList{u"あ"_s} << QByteArray("\x82\xA0\r\n");
    QTest::newRow("A without a final break") << QStringList{u"A"_s} << QByteArray("A\r\n");
    QTest::newRow("A with a final break: no extra line") << QStringList{u"A"_s, u""_s} << QByteArray("A\r\n");
    QTest::newRow("two final breaks keep one empty line")
        << QStringList{u"A"_s, u""_s, u""_s} << QByteArray("A\r\n\r\n");
    QTest::newRow("inner empty lines kept") << QStringList{u""_s, u"B"_s} << QByteArray("\r\nB\r\n");
    QTest::newRow("unencodable characters become ?")
        << QStringList{u"𠮷野家\u00A0"_s} << QByteArray("?\x96\xEC\x89\xC6?\r\n");
    QTest::newRow("other forms of ～ and － are written as those")
        << QStringList{u"〜−"_s} << QByteArray("\x81\x60\x81\x7C\r\n");
}

void TestRollFile::fileBytes()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QCOMPARE(rollFileBytes(lines), bytes);
}

void TestRollFile::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lines");
    QTest::newRow("CR LF, CR and LF") << u"a\r\nb\rc\nd"_s << u"a\nb\nc\nd"_s;
    QTest::newRow("CR CR LF is two breaks") << u"a\r\r\nb"_s << u"a\n\nb"_s;
    QTest::newRow("line and paragraph separators") << u"a\u2028b\u2029c"_s << u"a\nb\nc"_s;
    QTest::newRow("NEL") << u"a\u0085b"_s << u"a\nb"_s;
    QTest::newRow("separator before LF stays two breaks") << u"a\u2028\nb"_s << u"a\n\nb"_s;
    QTest::newRow("other characters untouched") << u"あ\t　`r"_s << u"あ\t　`r"_s;
}

void TestRollFile::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, lines);
    QCOMPARE(rollLineBreaks(text), lines);
}

void TestRollFile::fileToEditorAndBackIsByteExact_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("roll with comments, talkers, NEC specials")
        << QByteArray("<-\x81\x9F\x91\xE6\x88\xEA\x95\x94\r\n\x93\x63\x92\x86\x81\x5E\x96\x7B\r\n"
                      "\r\n\x87\x40\x87\x54\x87\x8A\xFB\xFC `r\x82\xA9`s\x89\xBA\r\n");
    QTest::newRow("empty lines at the end") << QByteArray("A\r\n\r\n\r\n");
    QTest::newRow("only empty lines") << QByteArray("\r\n\r\n");
    QTest::newRow("empty file") << QByteArray();
}

void TestRollFile::fileToEditorAndBackIsByteExact()
{
    QFETCH(QByteArray, bytes);
    const QString editorText = decodeTextBytes(bytes, LineEnds::Fold).text; // as the editor reads
    // The editor holds one block per '\n'-separated part.
    const QStringList lines = editorText.isEmpty() ? QStringList{} : editorText.split(u'\n');
    QCOMPARE(rollFileBytes(lines), bytes);
}

void TestRollFile::plainRollPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("plain");
    QTest::newRow("upper case") << u"ROLL.TXT"_s << true;
    QTest::newRow("mixed case") << u"/a/roll.Txt"_s << true;
    QTest::newRow("slide file") << u"page.sl1"_s << true;
    QTest::newRow(".text goes through the filter") << u"roll.text"_s << false;
    QTest::newRow("Word document") << u"roll.docx"_s << false;
    QTest::newRow(".txt inside the name only") << u"roll.txt.pdf"_s << false;
    QTest::newRow("no extension") << u"roll"_s << false;
}

void TestRollFile::plainRollPath()
{
    QFETCH(QString, path);
    QFETCH(bool, plain);
    QCOMPARE(isPlainRollPath(path), plain);
}

void TestRollFile::describeCharacters_data()
{
    QTest::addColumn<QString>("chars");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("text");
    QTest::newRow("visible characters with their code")
        << u"𠮷♪"_s << 10 << u"「𠮷」(U+20BB7)\r\n「♪」(U+266A)"_s;
    QTest::newRow("invisible ones by code only")
        << u"\u00A0\u200B"_s << 10 << u"(U+00A0)\r\n(U+200B)"_s;
    QTest::newRow("beyond the limit, a count")
        << u"αβγ"_s << 2 << u"「α」(U+03B1)\r\n「β」(U+03B2)\r\nほか 1 文字"_s;
}

void TestRollFile::describeCharacters()
{
    QFETCH(QString, chars);
    QFETCH(int, limit);
    QFETCH(QString, text);
    QCOMPARE(::describeCharacters(chars, limit), text);
}

void TestRollFile::filterCall_data()
{
    QTest::addColumn<QString>("filterPath");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("workingDirectory");
    const QString cwd = QDir::currentPath();
    QTest::newRow("absolute path: its folder")
        << u"/opt/tools/doc2txt"_s << u"/opt/tools/doc2txt"_s << u"/opt/tools/"_s;
    QTest::newRow("./name: the program's folder")
        << u"./doc2txt"_s << u"/usr/lib/velmat/doc2txt"_s << u"/usr/lib/velmat"_s;
    QTest::newRow("bare name not beside the program: PATH")
        << u"no-such-filter-here"_s << u"no-such-filter-here"_s << u"/usr/lib/velmat"_s;
    QTest::newRow("relative folder: from the current folder")
        << u"tools/doc2txt"_s << cwd + u"/tools/doc2txt"_s << cwd + u"/tools"_s;
}

void TestRollFile::filterCall()
{
    QFETCH(QString, filterPath);
    QFETCH(QString, program);
    QFETCH(QString, workingDirectory);
    const FilterInvocation call =
        filterInvocation(filterPath, u"my docs/a&b;'c\".docx"_s, u"/usr/lib/velmat"_s);
    QCOMPARE(call.program, program);
    QCOMPARE(QDir::cleanPath(call.workingDirectory), QDir::cleanPath(workingDirectory));
    // The document is one argument, absolute: the filter runs in another folder.
    QCOMPARE(call.arguments, (QStringList{u"-s"_s, u"-o=0"_s,
                                          QDir::currentPath() + u"/my docs/a&b;'c\".docx"_s}));
}

QTEST_GUILESS_MAIN(TestRollFile)
#include "tst_rollfile.moc"
