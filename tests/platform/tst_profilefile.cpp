#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString writeTemp(const QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath(u"t.ini"_s);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}
QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readString_data();
    void readString();
    void readInt_data();
    void readInt();
    void hostileInput_data();
    void hostileInput();
    void writeKeepsOtherLines();
    void newFileIsShiftJis();
    void unicodeFileStaysUnicode();
    void failedSaveLeavesOldFile();
    void listLength_data();
    void listLength();
    void quotedValueComesBack_data();
    void quotedValueComesBack();
    void unreadableFileSaysWhy();
    void oversizedFileIsRefusedUnread_data();
    void oversizedFileIsRefusedUnread();

private:
    QTemporaryDir m_dir;
};

void TestProfileFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QByteArray base = "[main]\r\nCharFont=abc\r\n";
    QTest::newRow("plain") << base << u"main"_s << u"CharFont"_s << u"abc"_s;
    QTest::newRow("names ignore case") << base << u"MAIN"_s << u"charfont"_s << u"abc"_s;
    QTest::newRow("missing key gives default") << base << u"main"_s << u"Nope"_s << u"<def>"_s;
    QTest::newRow("missing section gives default") << base << u"print"_s << u"CharFont"_s << u"<def>"_s;
    QTest::newRow("blanks around dropped") << QByteArray("[RollInput]\r\nF4=  \x82\xcd\x82\xa2  \r\n")
                                           << u"RollInput"_s << u"F4"_s << u"はい"_s;
    QTest::newRow("one pair of quotes dropped") << QByteArray("[a]\r\nk=\"\"x\"\"\r\n") << u"a"_s << u"k"_s << u"\"x\""_s;
    QTest::newRow("single quotes dropped") << QByteArray("[a]\r\nk='x y'\r\n") << u"a"_s << u"k"_s << u"x y"_s;
    QTest::newRow("unbalanced quote kept") << QByteArray("[a]\r\nk=\"x\r\n") << u"a"_s << u"k"_s << u"\"x"_s;
    QTest::newRow("blanks around names") << QByteArray(" [ a ] \r\n  k  =v\r\n") << u"a"_s << u"k"_s << u"v"_s;
    QTest::newRow("first duplicate key wins") << QByteArray("[a]\r\nk=1\r\nk=2\r\n") << u"a"_s << u"k"_s << u"1"_s;
    QTest::newRow("first duplicate section wins") << QByteArray("[a]\r\nk=1\r\n[A]\r\nk=2\r\n") << u"a"_s << u"k"_s << u"1"_s;
    QTest::newRow("LF-only lines") << QByteArray("[a]\nk=v\n") << u"a"_s << u"k"_s << u"v"_s;
    QTest::newRow("value may hold =") << QByteArray("[w]\r\nWord_00000=a=b\r\n") << u"w"_s << u"Word_00000"_s << u"a=b"_s;
    QTest::newRow("empty value is not missing") << QByteArray("[a]\r\nk=\r\n") << u"a"_s << u"k"_s << QString();
    QTest::newRow("key before any section is not found") << QByteArray("k=v\r\n[a]\r\n") << u"a"_s << u"k"_s << u"<def>"_s;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF[a]\r\nk=\xE6\xBC\xA2\r\n") << u"a"_s << u"k"_s << u"漢"_s;
    QTest::newRow("value cut at 2047") << (QByteArray("[a]\r\nk=") + QByteArray(5000, 'x')) << u"a"_s << u"k"_s << QString(2047, u'x');
}

void TestProfileFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const ProfileFile ini(writeTemp(m_dir, file));
    QCOMPARE(ini.readString(section, key, u"<def>"_s), value);
}

void TestProfileFile::readInt_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("640") << 640;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("plus sign") << QByteArray("+7") << 7;
    QTest::newRow("hex") << QByteArray("0x280") << 640;
    QTest::newRow("hex upper X") << QByteArray("0X1f") << 31;
    QTest::newRow("0x alone is not hex, not a number") << QByteArray("0x") << -1;
    QTest::newRow("trailing junk") << QByteArray("12abc") << -1;
    QTest::newRow("bad hex digit") << QByteArray("0x2G") << -1;
    QTest::newRow("empty") << QByteArray("") << -1;
    QTest::newRow("blanks dropped") << QByteArray("  5 ") << 5;
    QTest::newRow("too big for int") << QByteArray("99999999999") << -1;
    QTest::newRow("full-width digits are not a number") << QByteArray("\x82\x50") << -1;
}

void TestProfileFile::readInt()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    const ProfileFile ini(writeTemp(m_dir, "[a]\r\nk=" + value + "\r\n"));
    QCOMPARE(ini.readInt(u"a"_s, u"k"_s, -1), expected);
    QCOMPARE(ini.readBool(u"a"_s, u"k"_s, true), expected == -1 ? true : expected != 0);
}

void TestProfileFile::hostileInput_data()
{
    QTest::addColumn<QByteArray>("file");
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) & 0xFF));
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("NUL bytes") << QByteArray("[a]\r\nk=\0\0v\r\n", 11);
    QTest::newRow("unclosed section") << QByteArray("[main\r\nCharLine=12\r\n");
    QTest::newRow("lone trail bytes") << QByteArray("[a]\r\nk=\x81\r\n\xFF\xFE");
    QTest::newRow("huge single line") << QByteArray(3 * 1024 * 1024, '=');
    QTest::newRow("only separators") << QByteArray("\r\r\n\n=\r\n[]\r\n");
}

void TestProfileFile::hostileInput()
{
    QFETCH(QByteArray, file);
    ProfileFile ini(writeTemp(m_dir, file));
    // Reading anything gives a value or the default, never a crash.
    QVERIFY(ini.readString(u"main"_s, u"CharFont"_s, u"d"_s).size() <= ProfileFile::kMaxValueLength);
    QVERIFY(ini.readInt(u"main"_s, u"CharLine"_s, 10) >= -1);
    ini.writeInt(u"main"_s, u"CharLine"_s, 12);
    QCOMPARE(ini.readInt(u"main"_s, u"CharLine"_s, 10), 12);
}

void TestProfileFile::writeKeepsOtherLines()
{
    const QByteArray before = "; made by hand\r\n[main]\r\nCharLine=10\r\n  Other = keep  \r\n\r\n"
                              "[print]\r\nFontSize=10\r\n";
    const QString path = writeTemp(m_dir, before);
    ProfileFile ini(path);
    ini.writeInt(u"MAIN"_s, u"charline"_s, 12);       // in place, the file's spelling kept
    ini.writeString(u"main"_s, u"CharFont"_s, u"ＭＳ ゴシック"_s); // new key, before the blank line
    ini.writeString(u"Join"_s, u"File_000"_s, u"a\r\nb"_s); // new section; no line break in a value
    QVERIFY(ini.save());
    QCOMPARE(cp932Decode(readAll(path)),
             u"; made by hand\r\n[main]\r\nCharLine=12\r\n  Other = keep  \r\nCharFont=ＭＳ ゴシック\r\n\r\n"
             "[print]\r\nFontSize=10\r\n[Join]\r\nFile_000=a  b\r\n"_s);
    const ProfileFile again(path);
    QCOMPARE(again.readString(u"main"_s, u"Other"_s, {}), u"keep"_s);
    QCOMPARE(again.readInt(u"main"_s, u"CharLine"_s, 0), 12);
}

void TestProfileFile::newFileIsShiftJis()
{
    const QString path = m_dir.filePath(u"new.ini"_s);
    ProfileFile ini(path);
    QVERIFY(!ini.exists());
    ini.writeString(u"main"_s, u"CharFont"_s, u"ＭＳ ゴシック"_s);
    ini.writeBool(u"main"_s, u"AutoSave"_s, true);
    QVERIFY(ini.save());
    QCOMPARE(readAll(path), QByteArray("[main]\r\nCharFont=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\nAutoSave=1\r\n"));
}

void TestProfileFile::unicodeFileStaysUnicode()
{
    const QString path = writeTemp(m_dir, QByteArray("\xFF\xFE[\0a\0]\0\r\0\n\0", 12));
    ProfileFile ini(path);
    ini.writeString(u"a"_s, u"k"_s, u"😀"_s);
    QVERIFY(ini.save());
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.startsWith("\xFF\xFE"));
    QCOMPARE(ProfileFile(path).readString(u"a"_s, u"k"_s, {}), u"😀"_s);
}

void TestProfileFile::failedSaveLeavesOldFile()
{
    // The target's folder is a regular file: the temporary file cannot be made.
    const QString blocker = writeTemp(m_dir, "x");
    ProfileFile ini(blocker + u"/inner.ini"_s);
    ini.writeInt(u"a"_s, u"k"_s, 1);
    QString error;
    QVERIFY(!ini.save(&error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(blocker), QByteArray("x"));
}

void TestProfileFile::listLength_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("length");
    QTest::newRow("count as written") << QByteArray("[L]\nN=2\nE_000=a\nE_001=\n") << 2;
    QTest::newRow("gap before the last entry") << QByteArray("[L]\nN=3\nE_000=a\nE_002=c\n") << 3;
    QTest::newRow("huge count") << QByteArray("[L]\nN=2147483647\nE_000=a\nE_001=b\n") << 2;
    QTest::newRow("entries past the count") << QByteArray("[L]\nN=1\nE_000=a\nE_001=b\n") << 1;
    QTest::newRow("far entry beyond the keys held") << QByteArray("[L]\nN=999999\nE_99998=x\n") << 0;
    QByteArray thousand("[L]\nN=1002\n");
    for (int i = 0; i <= 1000; ++i)
        thousand += "E_" + QByteArray::number(i).rightJustified(3, '0') + "=x\n";
    QTest::newRow("index wider than the padding") << thousand << 1001;
    QTest::newRow("other spelling does not count") << QByteArray("[L]\nN=9\nE_0001=x\nE_+01=y\nE_1=z\n") << 0;
    QTest::newRow("names ignore case") << QByteArray("[l]\nn=5\ne_000=a\n") << 1;
    QTest::newRow("no count") << QByteArray("[L]\nE_000=a\n") << 0;
    QTest::newRow("negative count") << QByteArray("[L]\nN=-4\nE_000=a\n") << 0;
    QTest::newRow("no section") << QByteArray("[M]\nN=4\n") << 0;
}

void TestProfileFile::listLength()
{
    QFETCH(QByteArray, file);
    QFETCH(int, length);
    const ProfileFile ini(writeTemp(m_dir, file));
    QCOMPARE(ini.readListLength(u"L"_s, u"N"_s, u"E_"_s, 3), length);
}

void TestProfileFile::quotedValueComesBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("quoted");
    QTest::newRow("plain") << u"語"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("inner blank") << u"a b"_s << false;
    QTest::newRow("trailing blank") << u"語 "_s << true;
    QTest::newRow("leading tab") << u"\t語"_s << true;
    QTest::newRow("enclosing quotes") << u"\"語\""_s << true;
    QTest::newRow("enclosing single quotes") << u"'語'"_s << true;
    QTest::newRow("one quote") << u"\""_s << false;
}

void TestProfileFile::quotedValueComesBack()
{
    QFETCH(QString, value);
    QFETCH(bool, quoted);
    const QString stored = ProfileFile::quotedWhereNeeded(value);
    QCOMPARE(stored != value, quoted);
    const QString path = m_dir.filePath(u"q.ini"_s);
    QFile::remove(path);
    ProfileFile out(path);
    out.writeString(u"s"_s, u"k"_s, stored);
    QVERIFY(out.save());
    QCOMPARE(ProfileFile(path).readString(u"s"_s, u"k"_s, u"default"_s), value);
}

void TestProfileFile::unreadableFileSaysWhy()
{
    QVERIFY(ProfileFile(m_dir.filePath(u"none.ini"_s)).readError().isEmpty());
    QVERIFY(QDir(m_dir.path()).mkpath(u"folder.ini"_s));
    const ProfileFile folder(m_dir.filePath(u"folder.ini"_s));
    QVERIFY(!folder.exists());
    QVERIFY(!folder.readError().isEmpty());
}

void TestProfileFile::oversizedFileIsRefusedUnread_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("one byte past the bound") << u"huge.ini"_s;
    QTest::newRow("a link to an endless device") << u"zero.ini"_s;
}

void TestProfileFile::oversizedFileIsRefusedUnread()
{
    QFETCH(QString, name);
    QFile huge(m_dir.filePath(u"huge.ini"_s));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(ProfileFile::kMaxFileBytes + 1)); // sparse
    huge.close();
    QFile::link(u"/dev/zero"_s, m_dir.filePath(u"zero.ini"_s));
    const ProfileFile ini(m_dir.filePath(name));
    QVERIFY(!ini.exists());
    QVERIFY(ini.tooLarge());
    QCOMPARE(ini.readError(), u"ファイルが大きすぎます。設定やリストのファイルとして読めるのは 16 MiB までです。"_s);
    QCOMPARE(ini.readInt(u"main"_s, u"Width"_s, 7), 7);
}

QTEST_APPLESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
