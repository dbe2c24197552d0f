// The document filter program, run as the editor runs it.
#include "platform/Cp932.h"
#include "platform/ProcessRunner.h"
#include "ZipFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kDocuments = QStringLiteral(VELMAT_DOCUMENTS);

ProcessResult filter(const QString &path)
{
    return runProcess({QStringLiteral(VELMAT_DOC2TXT), {u"-s"_s, u"-o=0"_s, path}, {}, {}, 60000, {}});
}

} // namespace

class TestDoc2txt : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void documents_data();
    void documents();
    void plainText_data();
    void plainText();
    void unreadable_data();
    void unreadable();
    void partialText_data();
    void partialText();
    void pathWithShellCharacters();
    void lostCharactersAreNamed_data();
    void lostCharactersAreNamed();
    void endlessInputIsRefused_data();
    void endlessInputIsRefused();
    void entriesSharingDataStopTheText();
    void damagedNotesKeepTheText();

private:
    QTemporaryDir m_dir;
};

void TestDoc2txt::documents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("docx: paragraphs, tab, break; no tab stops, no deleted text")
        << u"sample.docx"_s << u"第一段落です。|前\t後|改行の後||田中／残った字|表の中"_s;
    QTest::newRow("odt: heading, spaces, tab, line break; no annotation")
        << u"sample.odt"_s << u"見出し|本文  です\tタブ|二行目|注釈の後も続く"_s;
    QTest::newRow("xlsx: rows by column, no readings, sheets in number order")
        << u"sample.xlsx"_s << u"東京\t\t42|\t直接\t大阪||二枚目||TRUE"_s;
    QTest::newRow("pptx: slides in number order, break inside a paragraph")
        << u"sample.pptx"_s << u"一枚目の題|行A|行B||二枚目||十枚目"_s;
    QTest::newRow("pdf through pdftotext") << u"sample.pdf"_s << u"Caption roll|Second line"_s;
    // Written by LibreOffice from the flat sources beside them.
    const QString rubyAndNotes = u"彼は`rきりんじ`s麒麟児である。|本文に注があります。|<-注1：注の本文です。|"
                                 u"巻末にも。|<-注i：後注です。|次の段落・ 項目－終わり"_s;
    QTest::newRow("odt: ruby as a ruby code, notes after their paragraph, stand-ins")
        << u"ruby-and-note.odt"_s << rubyAndNotes;
    QTest::newRow("docx: the same, though its ruby and notes are stored otherwise")
        << u"ruby-and-note.docx"_s << rubyAndNotes;
    const QString sheets = u"話者\t字幕|田中\t\t42||\t空白の後|同じ\t同じ\t上の行|下の行||二枚目"_s;
    QTest::newRow("ods: a line per row, empty rows between kept, sheets apart") << u"sheets.ods"_s << sheets;
    QTest::newRow("xlsx: the same lines, though empty rows are not stored") << u"sheets.xlsx"_s << sheets;
}

void TestDoc2txt::documents()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    const ProcessResult r = filter(kDocuments + u'/' + name);
    QVERIFY2(r.succeeded(), r.standardError.constData());
    // Shift-JIS, CR LF after every line.
    QCOMPARE(r.standardOutput, cp932Encode(text.replace(u'|', u"\r\n"_s) + u"\r\n"_s));
}

void TestDoc2txt::plainText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("Shift-JIS, LF ends") << QByteArray("\x82\xA0\nB") << QByteArray("\x82\xA0\r\nB\r\n");
    QTest::newRow("UTF-8 without mark") << QByteArray("\xE3\x81\x82\r\n") << QByteArray("\x82\xA0\r\n");
    QTest::newRow("UTF-16LE with mark")
        << QByteArray("\xFF\xFE\x42\x30\x0A\x00", 6) << QByteArray("\x82\xA0\r\n");
    QTest::newRow("bullets, dashes, blanks and invisible marks get their stand-ins")
        << u"• 項目\u00A0‣ ◦\u2003–‑ ⸺ \u200B©®™ «»"_s.toUtf8()
        << cp932Encode(u"・ 項目 ・ ○　－‐ ―― (C)(R)TM ≪≫\r\n"_s);
    QTest::newRow("ligatures of PDF text are spelt out") << u"\uFB01nal e\uFB00ect"_s.toUtf8()
                                                         << QByteArray("final effect\r\n");
}

void TestDoc2txt::plainText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, output);
    const QString path = m_dir.filePath(u"note.text"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const ProcessResult r = filter(path);
    QVERIFY2(r.succeeded(), r.standardError.constData());
    QCOMPARE(r.standardOutput, output);
}

void TestDoc2txt::unreadable_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << u"missing.docx"_s << u"ファイルが見つかりません"_s;
    QTest::newRow("damaged zip part") << kDocuments + u"/damaged.docx"_s << u"が壊れています"_s;
    QTest::newRow("not a zip at all, binary") << u"binary.xls"_s << u"この形式の文書は読めません"_s;
    QTest::newRow("old office format") << u"old.doc"_s << u"旧形式"_s;
    QTest::newRow("PDF that is none") << u"fake.pdf"_s << u"PDF を読めません"_s;
}

void TestDoc2txt::unreadable()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    QDir::setCurrent(m_dir.path());
    const auto put = [](const QString &name, const QByteArray &bytes) {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    put(u"binary.xls"_s, QByteArray("\x01\x02\x00\x03", 4));
    put(u"old.doc"_s, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    put(u"fake.pdf"_s, "not a pdf");
    const ProcessResult r = filter(path);
    QCOMPARE(r.status, ProcessResult::Status::Finished);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.standardOutput.isEmpty());
    QVERIFY2(QString::fromUtf8(r.standardError).contains(message), r.standardError.constData());
}

void TestDoc2txt::partialText_data()
{
    // The text read up to the problem is written, the problem told, and the
    // status says the text is not the whole document.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text"); // the output; ending in "…": its beginning
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("maxBytes");
    QTest::newRow("docx: a byte that is not UTF-8 becomes ?, the rest is read")
        << u"invalid-byte.docx"_s << u"前の段落|壊れ?た字|後の段落"_s
        << u"文書の word/document.xml に UTF-8 として読めないバイトが 1 か所あり、「?」にしました。"_s << 100;
    QTest::newRow("docx: undefined entity, text up to it")
        << u"undefined-entity.docx"_s << u"前の段落|空白"_s
        << u"文書の word/document.xml は 4 行目から先が読めません（Entity 'nbsp' not declared.）。"_s << 100;
    QTest::newRow("docx: part cut short, text up to the cut")
        << u"truncated-part.docx"_s << u"前の段落|途中で切れた"_s
        << u"文書の word/document.xml は 4 行目から先が読めません（Premature end of document.）。"_s << 100;
    QTest::newRow("odt: two billion blanks")
        << u"many-spaces.odt"_s << u"前"_s + QString(16384, u' ') + u"後|次"_s
        << u"文書の content.xml の 2 行目にある空白 2000000000 個は、16384 個にしました。"_s << 17000;
    QTest::newRow("docx: a million empty paragraphs")
        << u"empty-paragraphs.docx"_s << u"|…"_s
        << u"文書の word/document.xml は 3 行目で打ち切りました。空白・タブ・改行・繰り返しの文字が、文書の文字数に比べて多すぎます。"_s
        << 3 * 1024 * 1024;
    QTest::newRow("xlsx: a cell in the last column of every row")
        << u"last-column.xlsx"_s << QString(16383, u'\t') + u"1|"_s + QString(16383, u'\t') + u"1|…"_s
        << u"文書の xl/worksheets/sheet1.xml は 66 行目で打ち切りました。空白・タブ・改行・繰り返しの文字が、文書の文字数に比べて多すぎます。"_s
        << 2 * 1024 * 1024;
    QTest::newRow("xlsx: one long shared string in every cell")
        << u"repeated-string.xlsx"_s << u"長い文字列"_s.repeated(2000) + u"|…"_s
        << u"文書の xl/worksheets/sheet1.xml は 110 行目で打ち切りました。空白・タブ・改行・繰り返しの文字が、文書の文字数に比べて多すぎます。"_s
        << 4 * 1024 * 1024;
}

void TestDoc2txt::partialText()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, maxBytes);
    const ProcessResult r = filter(kDocuments + u'/' + name);
    QCOMPARE(r.status, ProcessResult::Status::Finished);
    QVERIFY2(r.standardOutput.size() <= maxBytes, QByteArray::number(r.standardOutput.size()).constData());
    QCOMPARE(r.exitCode, 3);
    QCOMPARE(QString::fromUtf8(r.standardError), u"velmat-doc2txt: "_s + message + u'\n');
    const bool beginning = text.endsWith(u'…');
    if (beginning)
        text.chop(2);
    const QByteArray expected = cp932Encode(text.replace(u'|', u"\r\n"_s) + u"\r\n"_s);
    if (beginning)
        QVERIFY(r.standardOutput.startsWith(expected));
    else
        QCOMPARE(r.standardOutput, expected);
}

void TestDoc2txt::pathWithShellCharacters()
{
    // pdftotext and the zip reader both get the name as it is.
    for (const QString &source : {u"sample.pdf"_s, u"sample.pptx"_s}) {
        const QString name = u"-x 'a\"&; touch pwned $(touch pwned2)."_s + QFileInfo(source).suffix();
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        QVERIFY(QFile::copy(kDocuments + u'/' + source, path));
        QDir::setCurrent(m_dir.path());
        const ProcessResult r = filter(name); // relative, starting with '-'
        QVERIFY2(r.succeeded(), r.standardError.constData());
        QVERIFY(!r.standardOutput.isEmpty());
        QCOMPARE(QDir(m_dir.path()).entryList({u"pwned*"_s}), QStringList());
    }
}

void TestDoc2txt::lostCharactersAreNamed_data()
{
    // What becomes "?" is told with its lines, and the status says the text is
    // not the document's.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("message");
    QTest::newRow("characters outside Shift-JIS")
        << u"\uFEFFあ\n한국어 😀 café €\n\nい\n𠮷"_s.toUtf8() << QByteArray("\x82\xA0\r\n??? ? caf? ?\r\n\r\n\x82\xA2\r\n?\r\n")
        << u"次の文字は Shift-JIS で表せないため、「?」に置き換えました（7 文字、2, 5 行目）。\n"
           u"「한」(U+D55C)\n「국」(U+AD6D)\n「어」(U+C5B4)\n「😀」(U+1F600)\n「é」(U+00E9)\n「€」(U+20AC)\n"
           u"「𠮷」(U+20BB7)"_s;
    QTest::newRow("bytes that are not UTF-16")
        << QByteArray("\xFF\xFE\x61\x00\x62", 5) << QByteArray("a?\r\n")
        << u"文書に UTF-16 として読めない部分が 1 か所あり、「?」にしました。"_s;
}

void TestDoc2txt::lostCharactersAreNamed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, output);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(u"lost.text"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    const ProcessResult r = filter(path);
    QCOMPARE(r.status, ProcessResult::Status::Finished);
    QCOMPARE(r.standardOutput, output);
    QCOMPARE(QString::fromUtf8(r.standardError), u"velmat-doc2txt: "_s + message + u'\n');
    QCOMPARE(r.exitCode, 3);
}

void TestDoc2txt::endlessInputIsRefused_data()
{
    QTest::addColumn<QString>("device");
    QTest::newRow("zeros") << u"/dev/zero"_s;
    QTest::newRow("random bytes, through a link") << u"/dev/urandom"_s;
}

void TestDoc2txt::endlessInputIsRefused()
{
    QFETCH(QString, device);
    const QString link = m_dir.filePath(u"endless.txt"_s);
    QFile::remove(link);
    QVERIFY(QFile::link(device, link));
    const ProcessResult r = filter(link);
    QCOMPARE(r.status, ProcessResult::Status::Finished);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.standardOutput.isEmpty());
    QCOMPARE(QString::fromUtf8(r.standardError),
             u"velmat-doc2txt: 文書が大きすぎます。テキストとして読めるのは 256 MiB までです: %1\n"_s.arg(link));
}

void TestDoc2txt::entriesSharingDataStopTheText()
{
    // Slides 2 to 20 all claim one deflated part: read once each, a small file
    // would inflate to many times its size. The text before them is kept.
    const auto slide = [](const QString &text) {
        return (u"<p:sld xmlns:a=\"a\" xmlns:p=\"p\"><a:p><a:r><a:t>"_s + text + u"</a:t></a:r></a:p></p:sld>"_s)
            .toUtf8();
    };
    QList<ZipFixtureEntry> entries{{u"ppt/presentation.xml"_s, "<p:presentation xmlns:p=\"p\"/>"},
                                   {u"ppt/slides/slide1.xml"_s, slide(u"一枚目"_s)},
                                   {u"ppt/slides/slide2.xml"_s, slide(QString(100000, u'x'))}};
    for (int n = 3; n <= 20; ++n)
        entries.append({u"ppt/slides/slide%1.xml"_s.arg(n), {}, 2});
    const QString path = m_dir.filePath(u"shared.pptx"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(zipFixture(entries));
    file.close();
    const ProcessResult r = filter(path);
    QCOMPARE(r.status, ProcessResult::Status::Finished);
    QCOMPARE(r.standardOutput, cp932Encode(u"一枚目\r\n"_s));
    QCOMPARE(QString::fromUtf8(r.standardError),
             u"velmat-doc2txt: 文書の ppt/slides/slide2.xml は、ほかの部分とデータが重なっているため読みません。\n"_s);
    QCOMPARE(r.exitCode, 3);
}

void TestDoc2txt::damagedNotesKeepTheText()
{
    const QByteArray w = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
    const QByteArray document = "<w:document " + w + "><w:body><w:p><w:r><w:t>本文</w:t></w:r>"
                                "<w:r><w:footnoteReference w:id=\"2\"/></w:r></w:p>"
                                "<w:p><w:r><w:t>次</w:t></w:r></w:p></w:body></w:document>";
    const QByteArray footnotes = "<w:footnotes " + w + ">\n<w:footnote w:id=\"2\"><w:p><w:r><w:t>注&nbsp;</w:t>"
                                 "</w:r></w:p></w:footnote></w:footnotes>";
    const QString path = m_dir.filePath(u"notes.docx"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(zipFixture({{u"word/document.xml"_s, document}, {u"word/footnotes.xml"_s, footnotes}}));
    file.close();
    const ProcessResult r = filter(path);
    QCOMPARE(r.status, ProcessResult::Status::Finished);
    QCOMPARE(r.standardOutput, cp932Encode(u"本文\r\n<-注1：注\r\n次\r\n"_s));
    QCOMPARE(QString::fromUtf8(r.standardError),
             u"velmat-doc2txt: 文書の word/footnotes.xml は 2 行目から先が読めません（Entity 'nbsp' not declared.）。\n"_s);
    QCOMPARE(r.exitCode, 3);
}

QTEST_GUILESS_MAIN(TestDoc2txt)
#include "tst_doc2txt.moc"
