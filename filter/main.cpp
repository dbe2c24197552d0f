// velmat-doc2txt: the editor's document filter. Writes a document's text to
// standard output as Shift-JIS with CR LF line ends, the way the editor reads
// a filter's output. Called as: velmat-doc2txt -s -o=0 PATH
#include "filter/DocumentText.h"
#include "filter/SheetText.h"
#include "filter/StandIns.h"
#include "filter/ZipArchive.h"
#include "platform/Cp932.h"
#include "platform/ProcessRunner.h"
#include "platform/TextFile.h"
#include "roll/RollFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cstdio>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

const char kUsage[] =
    "Usage: velmat-doc2txt [-s] [-o=0] FILE\n"
    "\n"
    "Writes the text of FILE to standard output as Shift-JIS (code page 932)\n"
    "with CR LF line ends. Reads PDF (through pdftotext), .docx, .xlsx, .pptx,\n"
    "OpenDocument and older office zip files, and plain text in UTF-8, UTF-16\n"
    "(with byte-order mark) or Shift-JIS. FILE is always the last argument; the\n"
    "options before it (-s, -o=0) are accepted for compatibility and change nothing.\n"
    "\n"
    "Characters Shift-JIS lacks are written as a common stand-in where one\n"
    "exists (a bullet as ・, an en dash as －), otherwise as \"?\".\n"
    "Plain text larger than 256 MiB is refused.\n"
    "\n"
    "Exit status: 0 success, 1 the document could not be read, 2 bad usage,\n"
    "3 the text is written but not quite the document's: a part could not be\n"
    "read, or characters were lost (bytes that could not be decoded, characters\n"
    "written as \"?\"); standard error says what and where.\n";

// Exit status when the text is written but incomplete or altered.
constexpr int kPartialText = 3;

// Why a document could not be read; main() prints it and exits with 1.
struct Failure {
    QString message;
};

using Lines = std::variant<QStringList, Failure>;

void printError(const QString &message)
{
    const QByteArray bytes = (u"velmat-doc2txt: "_s + message + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

// "1, 4, 9 行目", with a count of the rest when there are more than shown.
QString lineNumbers(const Cp932Losses &losses)
{
    constexpr qsizetype kShown = 10;
    QStringList numbers;
    for (const qsizetype line : losses.lines().mid(0, kShown))
        numbers << QString::number(line);
    QString text = numbers.join(u", "_s) + u" 行目"_s;
    if (losses.lineCount() > numbers.size())
        text += u"ほか %1 行"_s.arg(losses.lineCount() - numbers.size());
    return text;
}

// The note for characters written as "?", in the words of the editor's save question.
QString lossNote(const Cp932Losses &losses)
{
    return u"次の文字は Shift-JIS で表せないため、「?」に置き換えました（%1 文字、%2）。\n"_s.arg(
               QString::number(losses.count()), lineNumbers(losses))
           + describeCharacters(losses.characters()).replace(u"\r\n"_s, u"\n"_s);
}

QStringList splitLines(const QString &text)
{
    QString normal = text;
    foldLineEnds(normal);
    QStringList lines = normal.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Entries matching `pattern` (one number captured) in numeric order: slide2
// before slide10.
QStringList numberedEntries(const QStringList &names, const QRegularExpression &pattern)
{
    QList<std::pair<int, QString>> found;
    for (const QString &name : names) {
        const auto m = pattern.match(name);
        if (m.hasMatch())
            found.append({m.captured(1).toInt(), name});
    }
    std::sort(found.begin(), found.end());
    QStringList out;
    for (const auto &[number, name] : found)
        out << name;
    return out;
}

// An OpenDocument spreadsheet (or its older form) says so in its "mimetype"
// entry; without one, its content has the spreadsheet body.
bool isSpreadsheet(ZipArchive &zip, const QByteArray &content)
{
    if (zip.contains(u"mimetype"_s)) {
        const auto type = zip.read(u"mimetype"_s);
        if (type)
            return type->contains("spreadsheet") || type->contains("sun.xml.calc");
    }
    // The end tag of the body; in text, a '>' would be written as "&gt;".
    return content.contains(":spreadsheet>") || content.contains("<spreadsheet>");
}

Lines officeZipLines(const QString &path, DocumentReading &reading)
{
    ZipArchive zip;
    if (!zip.open(path))
        return Failure{zip.error()};
    const auto part = [&zip, &reading](const QString &name) {
        reading.beginPart(name);
        return zip.read(name);
    };
    // Parts after the first that cannot be read end the text there; the text
    // of the parts before stays.
    const auto partsUpTo = [&zip, &reading](const QStringList &lines) -> Lines {
        if (lines.isEmpty())
            return Failure{zip.error()};
        reading.stop(zip.error());
        return lines;
    };

    if (zip.contains(u"word/document.xml"_s)) {
        // The notes first: the text cites them where they belong. Notes that
        // cannot be read (in whole or in part) leave the text whole, with the
        // problem told, so they are read with a reading of their own.
        DocumentNotes notes;
        const std::pair<QString, DocumentNotes::Kind> noteParts[] = {
            {u"word/footnotes.xml"_s, DocumentNotes::Footnote}, {u"word/endnotes.xml"_s, DocumentNotes::Endnote}};
        for (const auto &[name, kind] : noteParts) {
            if (!zip.contains(name))
                continue;
            DocumentReading noteReading;
            noteReading.beginPart(name);
            if (const auto xml = zip.read(name))
                readWordNotes(*xml, kind, notes, noteReading);
            else
                noteReading.note(zip.error());
            for (const QString &problem : noteReading.problems())
                reading.note(problem);
        }
        const auto xml = part(u"word/document.xml"_s);
        if (!xml)
            return Failure{zip.error()};
        return wordDocumentLines(*xml, reading, notes);
    }
    if (zip.contains(u"xl/workbook.xml"_s)) {
        QStringList strings;
        if (zip.contains(u"xl/sharedStrings.xml"_s)) {
            const auto xml = part(u"xl/sharedStrings.xml"_s);
            if (!xml)
                return Failure{zip.error()};
            strings = sharedStrings(*xml, reading);
        }
        QStringList lines;
        static const QRegularExpression sheet(u"^xl/worksheets/sheet(\\d+)\\.xml$"_s);
        const QStringList sheets = numberedEntries(zip.entryNames(), sheet);
        for (const QString &name : sheets) {
            if (reading.stopped())
                break;
            const auto xml = part(name);
            if (!xml)
                return partsUpTo(lines);
            lines = sheetLines(*xml, strings, reading, std::move(lines));
        }
        return lines;
    }
    if (zip.contains(u"ppt/presentation.xml"_s)) {
        QStringList lines;
        static const QRegularExpression slide(u"^ppt/slides/slide(\\d+)\\.xml$"_s);
        const QStringList slides = numberedEntries(zip.entryNames(), slide);
        for (const QString &name : slides) {
            if (reading.stopped())
                break;
            const auto xml = part(name);
            if (!xml)
                return partsUpTo(lines);
            if (!lines.isEmpty())
                lines << QString(); // a blank line between slides
            lines << slideLines(*xml, reading);
        }
        return lines;
    }
    if (zip.contains(u"content.xml"_s)) {
        const auto xml = part(u"content.xml"_s);
        if (!xml)
            return Failure{zip.error()};
        if (isSpreadsheet(zip, *xml))
            return spreadsheetLines(*xml, reading);
        return openDocumentLines(*xml, reading);
    }
    return Failure{u"この zip ファイルは文書として読めません。"_s};
}

Lines pdfLines(const QString &path)
{
    ProcessRequest request;
    request.program = u"pdftotext"_s;
    // An absolute path never starts with '-', so it cannot pass for an option.
    request.arguments = {u"-enc"_s, u"UTF-8"_s, path, u"-"_s};
    const ProcessResult result = runProcess(request);
    if (result.status == ProcessResult::Status::FailedToStart)
        return Failure{u"pdftotext を起動できません。poppler-utils をインストールしてください。（%1）"_s
                           .arg(result.errorString)};
    if (!result.succeeded()) {
        const QString detail = QString::fromUtf8(result.standardError).trimmed();
        return Failure{u"PDF を読めません。%1"_s.arg(detail)};
    }
    QString text = QString::fromUtf8(result.standardOutput);
    text.remove(u'\f'); // page ends; each page already ends with a line break
    QStringList lines = splitLines(text);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

Lines plainTextLines(const QByteArray &bytes, DocumentReading &reading)
{
    // Text files from other systems are often UTF-8 without a mark; valid UTF-8
    // with non-ASCII bytes is very unlikely to be meant as Shift-JIS.
    const bool hasBom = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE")
                        || bytes.startsWith("\xFE\xFF");
    if (!hasBom) {
        if (bytes.contains('\0'))
            return Failure{u"この形式の文書は読めません。"_s};
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8(bytes);
        if (!utf8.hasError())
            return splitLines(text);
    }
    const DecodedText decoded = decodeTextBytes(bytes);
    if (decoded.brokenSequences > 0)
        reading.note(u"文書に %1 として読めない部分が %2 か所あり、「?」にしました。"_s.arg(
            textEncodingName(decoded.encoding), QString::number(decoded.brokenSequences)));
    return splitLines(decoded.text);
}

Lines documentLines(const QString &path, DocumentReading &reading)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Failure{u"ファイルが見つかりません: %1"_s.arg(path)};
    if (info.isDir())
        return Failure{u"フォルダは読めません: %1"_s.arg(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{u"ファイルを開けません: %1（%2）"_s.arg(path, file.errorString())};
    const QByteArray head = file.peek(8);

    if (head.startsWith("%PDF-") || info.suffix().compare(u"pdf"_s, Qt::CaseInsensitive) == 0)
        return pdfLines(info.absoluteFilePath());
    if (looksLikeZip(head))
        return officeZipLines(path, reading);
    if (head.startsWith("\xD0\xCF\x11\xE0"))
        return Failure{u"旧形式の Office 文書（.doc .xls .ppt）は読めません。"
                       u"新しい形式（.docx .xlsx .pptx）で保存し直してください。"_s};
    if (head.startsWith("{\\rtf"))
        return Failure{u"リッチテキスト（.rtf）は読めません。"_s};
    // Bounded as every text input is: a device such as /dev/zero never ends.
    const BoundedRead read = readBoundedBytes(file);
    if (read.tooLarge)
        return Failure{u"文書が大きすぎます。テキストとして読めるのは %1 までです: %2"_s.arg(
            QLatin1StringView(kTextInputLimitName), path)};
    if (read.failed)
        return Failure{u"読み込み中にエラーが起きました: %1"_s.arg(file.errorString())};
    return plainTextLines(read.bytes, reading);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"velmat-doc2txt"_s);
    const QStringList args = QCoreApplication::arguments().mid(1);

    // The document is always the last argument, so a name that begins with
    // '-' is still a name; the options before it are those of the contract.
    if (args.size() == 1 && (args.first() == u"--help" || args.first() == u"-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() == 1 && args.first() == u"--version") {
        std::printf("velmat-doc2txt %s\n", VELMAT_VERSION);
        return 0;
    }
    const bool optionsOnly = std::all_of(args.begin(), args.end() - (args.isEmpty() ? 0 : 1),
                                         [](const QString &a) { return a.startsWith(u'-'); });
    if (args.isEmpty() || !optionsOnly || args.last().isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    DocumentReading reading;
    const Lines lines = documentLines(args.last(), reading);
    if (const auto *failure = std::get_if<Failure>(&lines)) {
        printError(failure->message);
        return 1;
    }
    QByteArray out;
    Cp932Losses losses;
    for (const QString &paragraph : std::get<QStringList>(lines)) {
        // A cell or a note may hold line breaks of its own.
        for (const QString &line : paragraph.split(u'\n')) {
            // U+FFFD marks bytes that could not be decoded, told where it happened.
            const QString text = withStandIns(line).replace(QChar::ReplacementCharacter, u'?');
            losses.add(text);
            losses.add(u"\n");
            out += cp932Encode(text);
            out += "\r\n";
        }
    }
    if (!losses.isEmpty())
        reading.note(lossNote(losses));
    if (std::fwrite(out.constData(), 1, size_t(out.size()), stdout) != size_t(out.size())
        || std::fflush(stdout) != 0) {
        printError(u"出力に失敗しました。"_s);
        return 1;
    }
    for (const QString &problem : reading.problems())
        printError(problem);
    return reading.problems().isEmpty() ? 0 : kPartialText;
}
