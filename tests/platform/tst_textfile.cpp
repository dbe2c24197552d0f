// Reading text files by byte-order mark, and replacing files atomically.
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TextEncoding)

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Lowers the largest file size this process may write, so that a write past
// it fails with EFBIG the way a full disk fails with ENOSPC (root is bound by
// it too, unlike by permission bits).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decode_data();
    void decode();
    void encodingNames();
    void foldingLineEnds_data();
    void foldingLineEnds();
    void readFailures_data();
    void readFailures();
    void boundedReadStopsAtTheLimit_data();
    void boundedReadStopsAtTheLimit();
    void readRefusesEndlessAndHugeFiles_data();
    void readRefusesEndlessAndHugeFiles();
    void writeRoundTripIsByteExact();
    void writeFailures_data();
    void writeFailures();
    void writeFailingMidwayKeepsTheOldFile();

private:
    QTemporaryDir m_dir;
};

void TestTextFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<int>("broken");

    QTest::newRow("no mark: Shift-JIS, CR LF kept")
        << QByteArray("\x82\xA0\r\nA\r\n") << u"あ\r\nA\r\n"_s << TextEncoding::ShiftJis << 0;
    QTest::newRow("UTF-8 mark dropped")
        << QByteArray("\xEF\xBB\xBF\xE3\x81\x82\xF0\xA0\xAE\xB7") << u"あ𠮷"_s
        << TextEncoding::Utf8 << 0;
    QTest::newRow("UTF-16LE mark")
        << QByteArray("\xFF\xFE\x42\x30\x0D\x00\x0A\x00", 8) << u"あ\r\n"_s
        << TextEncoding::Utf16LE << 0;
    QTest::newRow("UTF-16BE mark")
        << QByteArray("\xFE\xFF\x30\x42\xD8\x42\xDF\xB7", 8) << u"あ𠮷"_s
        << TextEncoding::Utf16BE << 0;
    QTest::newRow("UTF-8 without mark is read as UTF-8")
        << QByteArray("\xE3\x81\x82\r\n") << u"あ\r\n"_s << TextEncoding::Utf8 << 0;
    // 「あい」 in UTF-8 is also clean Shift-JIS (縺ゅ≠): the kana decide.
    QTest::newRow("UTF-8 that is also clean Shift-JIS is UTF-8")
        << QByteArray("\xE3\x81\x82\xE3\x81\x84") << u"あい"_s << TextEncoding::Utf8 << 0;
    QTest::newRow("invalid UTF-8 stays Shift-JIS, broken or not")
        << QByteArray("\xC3\xB1\x80") << u"ﾃｱ\uFFFD"_s << TextEncoding::ShiftJis << 1;
    QTest::newRow("two-byte UTF-8 that is not clean Shift-JIS")
        << QByteArray("caf\xC3\xA9 \xC2\x80") << u"café \u0080"_s << TextEncoding::Utf8 << 0;
    QTest::newRow("half-width kana that happen to be valid UTF-8 stay Shift-JIS")
        << QByteArray("\xC3\xBD") << u"ﾃｽ"_s << TextEncoding::ShiftJis << 0;
    QTest::newRow("broken UTF-8 without mark is Shift-JIS")
        << QByteArray("\x82\xA0\xE3\x81") << u"あ縺"_s << TextEncoding::ShiftJis << 0;
    QTest::newRow("overlong UTF-8 is not UTF-8")
        << QByteArray("\xE0\x80\xAF") << u"烙ｯ"_s << TextEncoding::ShiftJis << 0;
    QTest::newRow("mark only: empty text")
        << QByteArray("\xEF\xBB\xBF") << QString() << TextEncoding::Utf8 << 0;
    QTest::newRow("empty file") << QByteArray() << QString() << TextEncoding::ShiftJis << 0;
    QTest::newRow("broken Shift-JIS: lone trail byte and cut lead byte, rest kept")
        << QByteArray("A\x80" "B\x82") << u"A\uFFFDB\uFFFD"_s << TextEncoding::ShiftJis << 2;
    QTest::newRow("UTF-16 cut in a code unit")
        << QByteArray("\xFF\xFE\x41\x00\x42", 5) << u"A\uFFFD"_s << TextEncoding::Utf16LE << 1;
    QTest::newRow("broken UTF-8 after its mark")
        << QByteArray("\xEF\xBB\xBF" "A\xFF" "B") << u"A\uFFFDB"_s << TextEncoding::Utf8 << 1;
    QTest::newRow("UTF-8: a real U+FFFD is not a broken sequence")
        << QByteArray("\xEF\xBB\xBF\xEF\xBF\xBD" "A\xFF") << u"\uFFFDA\uFFFD"_s << TextEncoding::Utf8 << 1;
    QTest::newRow("UTF-8: a second mark right after the first is text")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "A") << u"\uFEFFA"_s << TextEncoding::Utf8 << 0;
    QTest::newRow("UTF-8: a mark inside the text is kept")
        << QByteArray("\xEF\xBB\xBF" "A\xEF\xBB\xBF" "B") << u"A\uFEFFB"_s << TextEncoding::Utf8 << 0;
    QTest::newRow("UTF-16: a second mark is text")
        << QByteArray("\xFF\xFE\xFF\xFE\x41\x00", 6) << u"\uFEFFA"_s << TextEncoding::Utf16LE << 0;
    QTest::newRow("UTF-16LE: lone high surrogate is broken")
        << QByteArray("\xFF\xFE\x3D\xD8\x41\x00", 6) << u"\uFFFDA"_s << TextEncoding::Utf16LE << 1;
    QTest::newRow("UTF-16BE: lone low surrogate at the end, pair kept")
        << QByteArray("\xFE\xFF\xD8\x42\xDF\xB7\xDF\xB7", 8) << u"𠮷\uFFFD"_s << TextEncoding::Utf16BE << 1;
    QTest::newRow("UTF-16: high surrogate before a cut unit")
        << QByteArray("\xFF\xFE\x3D\xD8\x41", 5) << u"\uFFFD\uFFFD"_s << TextEncoding::Utf16LE << 2;
}

void TestTextFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QFETCH(int, broken);
    const DecodedText decoded = decodeTextBytes(bytes);
    QCOMPARE(decoded.text, text);
    QCOMPARE(decoded.encoding, encoding);
    QCOMPARE(decoded.brokenSequences, broken);
    // Told apart from a file that says it is UTF-8.
    QCOMPARE(decoded.utf8WithoutMark, encoding == TextEncoding::Utf8 && !bytes.startsWith("\xEF\xBB\xBF"));
}

void TestTextFile::encodingNames()
{
    QCOMPARE(textEncodingName(decodeTextBytes("A").encoding), u"Shift-JIS"_s);
    QCOMPARE(textEncodingName(decodeTextBytes("\xEF\xBB\xBF").encoding), u"UTF-8"_s);
    QCOMPARE(textEncodingName(decodeTextBytes("\xFF\xFE").encoding), u"UTF-16"_s);
    QCOMPARE(textEncodingName(decodeTextBytes("\xFE\xFF").encoding), u"UTF-16"_s);
}

void TestTextFile::readFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing file") << u"missing.txt"_s << u"ファイルが見つかりません。"_s;
    QTest::newRow("a folder") << u"folder.txt"_s << u"フォルダは開けません。"_s;
}

void TestTextFile::readFailures()
{
    QFETCH(QString, name);
    QFETCH(QString, error);
    QDir(m_dir.path()).mkdir(u"folder.txt"_s);
    const TextFileRead read = readTextFile(m_dir.filePath(name));
    QVERIFY(!read.ok);
    QCOMPARE(read.error, error);
}

void TestTextFile::boundedReadStopsAtTheLimit_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("empty") << 0 << false;
    QTest::newRow("exactly the limit") << 3000000 << false;
    QTest::newRow("one byte more") << 3000001 << true;
}

void TestTextFile::boundedReadStopsAtTheLimit()
{
    QFETCH(int, size);
    QFETCH(bool, tooLarge);
    const QString path = m_dir.filePath(u"bounded.bin"_s);
    QByteArray bytes(size, 'x');
    if (size > 0)
        bytes[size - 1] = 'y';
    put(path, bytes);
    // Read as a file (its size is known) and as a pipe would be (it is not).
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const BoundedRead asFile = readBoundedBytes(file, 3000000);
    QCOMPARE(asFile.tooLarge, tooLarge);
    QCOMPARE(asFile.bytes, tooLarge ? QByteArray() : bytes);
    file.close();
    QFile stream;
    FILE *handle = std::fopen(QFile::encodeName(path).constData(), "rb");
    QVERIFY(handle);
    QVERIFY(stream.open(handle, QIODevice::ReadOnly | QIODevice::Unbuffered));
    const BoundedRead asStream = readBoundedBytes(stream, 3000000);
    QCOMPARE(asStream.tooLarge, tooLarge);
    QVERIFY(!asStream.failed);
    QCOMPARE(asStream.bytes, tooLarge ? QByteArray() : bytes);
    stream.close();
    std::fclose(handle);
}

void TestTextFile::readRefusesEndlessAndHugeFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("/dev/zero never ends") << u"/dev/zero"_s;
    QTest::newRow("a sparse file past the limit") << u"sparse"_s;
}

void TestTextFile::readRefusesEndlessAndHugeFiles()
{
    QFETCH(QString, path);
    if (path == u"sparse") {
        path = m_dir.filePath(u"sparse.txt"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(kTextInputLimit + 1)); // no disk space used
    }
    const TextFileRead read = readTextFile(path);
    QVERIFY(!read.ok);
    QCOMPARE(read.error, u"ファイルが大きすぎます。読み込めるのは 256 MiB までです。"_s);
}

void TestTextFile::writeRoundTripIsByteExact()
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    const QString path = m_dir.filePath(u"round.txt"_s);
    put(path, "older and longer content");
    const FileWriteResult written = writeFileAtomically(path, all);
    QVERIFY2(written.ok, qPrintable(written.error));
    QCOMPARE(contents(path), all);
    QCOMPARE(QDir(m_dir.path()).entryList({u"round.txt*"_s}, QDir::Files), QStringList{u"round.txt"_s});
}

void TestTextFile::writeFailures_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("error");
    QTest::newRow("folder does not exist")
        << u"no-such-folder/roll.txt"_s << u"保存先のフォルダがありません。"_s;
    QTest::newRow("parent is a file") << u"plain.txt/roll.txt"_s << u"保存先のフォルダがありません。"_s;
    QTest::newRow("target is a folder") << u"folder"_s << u"同じ名前のフォルダがあります。"_s;
}

void TestTextFile::writeFailures()
{
    QFETCH(QString, target);
    QFETCH(QString, error);
    put(m_dir.filePath(u"plain.txt"_s), "old");
    QDir(m_dir.path()).mkdir(u"folder"_s);
    const FileWriteResult written = writeFileAtomically(m_dir.filePath(target), "new");
    QVERIFY(!written.ok);
    QCOMPARE(written.error, error);
    QCOMPARE(contents(m_dir.filePath(u"plain.txt"_s)), QByteArray("old"));
}

void TestTextFile::writeFailingMidwayKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"roll.txt"_s);
    put(path, "the old roll\r\n");
    {
        FileSizeLimit limit(1024);
        const FileWriteResult written = writeFileAtomically(path, QByteArray(64 * 1024, 'x'));
        QVERIFY(!written.ok);
        QVERIFY(written.error.startsWith(u"書き込みに失敗しました。"_s));
    }
    QCOMPARE(contents(path), QByteArray("the old roll\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"roll.txt"_s});
}

void TestTextFile::foldingLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Shift-JIS") << QByteArray("a\r\n\x82\xA0\rb\n") << u"a\nあ\nb\n"_s;
    QTest::newRow("UTF-8 with every kind of break")
        << QByteArray("\xEF\xBB\xBF" "a\r\nb\rc\xE2\x80\xA8" "d\xE2\x80\xA9" "e\xC2\x85" "f")
        << u"a\nb\nc\nd\ne\nf"_s;
    QTest::newRow("UTF-16LE") << QByteArray("\xFF\xFE" "a\0\r\0\n\0b\0", 10) << u"a\nb"_s;
    QTest::newRow("nothing to fold") << QByteArray("\xEF\xBB\xBF" "abc") << u"abc"_s;
}

void TestTextFile::foldingLineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeTextBytes(bytes, LineEnds::Fold).text, text);
    QString kept = decodeTextBytes(bytes).text;
    foldLineEnds(kept);
    QCOMPARE(kept, text);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
