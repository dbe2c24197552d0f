// The document filter program, run as the editor runs it.
#include "platform/Cp932.h"
#include "platform/ProcessRunner.h"

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
    void pathWithShellCharacters();

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
    QTest::newRow("unencodable characters become ?")
        << QByteArray("\xEF\xBB\xBF\xF0\xA0\xAE\xB7") << QByteArray("?\r\n");
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
    QVERIFY(r.succeeded());
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

QTEST_GUILESS_MAIN(TestDoc2txt)
#include "tst_doc2txt.moc"
