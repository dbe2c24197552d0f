#include "roll/RollFile.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QString rollLineBreaks(QString text)
{
    // In place and in one pass: QString::replace of CR LF moves the rest of the
    // text at every match, which is quadratic on a big roll.
    foldLineEnds(text);
    return text;
}

QByteArray rollFileBytes(const QStringList &editorLines)
{
    qsizetype count = editorLines.size();
    if (count > 0 && editorLines.last().isEmpty())
        --count;
    QByteArray bytes;
    for (qsizetype i = 0; i < count; ++i) {
        bytes += cp932Encode(editorLines.at(i));
        bytes += "\r\n";
    }
    return bytes;
}

bool isPlainRollPath(const QString &path)
{
    const QString tail = path.right(4).toLower();
    return tail == u".txt" || tail == u".sl1";
}

QString describeCharacters(const QString &chars, int limit)
{
    QStringList lines;
    int total = 0;
    for (const char32_t c : QStringView(chars).toUcs4()) {
        ++total;
        if (lines.size() >= limit)
            continue;
        const QString code = u"(U+"_s + QString::number(uint(c), 16).toUpper().rightJustified(4, u'0') + u')';
        const QChar::Category cat = QChar::category(c);
        const bool invisible = cat == QChar::Other_Control || cat == QChar::Other_Format
                               || cat == QChar::Separator_Space || cat == QChar::Separator_Line
                               || cat == QChar::Separator_Paragraph || cat == QChar::Mark_NonSpacing
                               || cat == QChar::Other_Surrogate;
        lines << (invisible ? code : u"「"_s + QString::fromUcs4(&c, 1) + u"」"_s + code);
    }
    if (total > limit)
        lines << u"ほか %1 文字"_s.arg(total - limit);
    return lines.join(u"\r\n"_s);
}

QString undecodedPartsWarning(const QString &path, const DecodedText &decoded)
{
    QStringList parts;
    if (decoded.utf8WithoutMark)
        parts << u"\"%1\" は UTF-8 で書かれていたので、UTF-8 として読み込みました。"
                 u"\r\n保存するときは Shift-JIS で書き込みます。"_s.arg(path);
    if (decoded.brokenSequences > 0)
        parts << u"\"%1\" には %2 として読めない部分が %3 か所あり、「\uFFFD」で表示しています。"
                 u"\r\nこのまま保存すると、その部分は「?」になります。"_s
                     .arg(path, textEncodingName(decoded.encoding), QString::number(decoded.brokenSequences));
    return parts.join(u"\r\n"_s);
}

FilterInvocation filterInvocation(const QString &filterPath, const QString &documentPath,
                                  const QString &programDir)
{
    FilterInvocation call;
    const qsizetype slash = filterPath.lastIndexOf(u'/');
    const QString folderPart = slash < 0 ? QString() : filterPath.left(slash + 1);
    const bool ownFolder = folderPart.isEmpty() || folderPart == u"./";
    call.workingDirectory = ownFolder ? programDir : QFileInfo(folderPart).absoluteFilePath();

    if (slash < 0) {
        // A bare name: the program's folder first, as the working folder would
        // have it, then PATH (QProcess looks there for names without a slash).
        const QString beside = QDir(programDir).filePath(filterPath);
        const QFileInfo info(beside);
        call.program = info.isFile() && info.isExecutable() ? beside : filterPath;
    } else if (ownFolder) {
        call.program = QDir(programDir).filePath(filterPath.mid(slash + 1));
    } else {
        call.program = QFileInfo(filterPath).absoluteFilePath();
    }
    call.arguments = {u"-s"_s, u"-o=0"_s, QFileInfo(documentPath).absoluteFilePath()};
    return call;
}

ProcessRequest documentFilterRequest(const QString &filterPath, const QString &documentPath,
                                     std::function<bool()> keepWaiting)
{
    const FilterInvocation call = filterInvocation(filterPath, documentPath, QCoreApplication::applicationDirPath());
    ProcessRequest request;
    request.program = call.program;
    request.arguments = call.arguments;
    request.workingDirectory = call.workingDirectory;
    request.timeoutMs = kFilterTimeoutMs;
    request.outputLimit = kTextInputLimit;
    request.keepWaiting = std::move(keepWaiting);
    return request;
}
