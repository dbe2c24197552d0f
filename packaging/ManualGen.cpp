// Makes the user manual's HTML page from its Markdown source at build time,
// with Qt's own Markdown reader, so that the help window and a web browser
// show the same page and no converter has to be installed.
//
//   velmat_manualgen SOURCE.md IMAGE_FOLDER OUT.html
//
// A heading may end in "{#name}": the section gets that anchor, which links
// ("#name") and the program open the page at. Images are named relative to
// IMAGE_FOLDER's parent in the source ("../x.png", as the repository shows
// them) and copied beside the page by the build; wide ones are shown at most
// kMaxImageWidth pixels wide.
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxImageWidth = 640;

int fail(const QString &message)
{
    std::fprintf(stderr, "velmat_manualgen: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4)
        return fail(u"usage: velmat_manualgen SOURCE.md IMAGE_FOLDER OUT.html"_s);
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QString imageFolder = QString::fromLocal8Bit(argv[2]);
    const QString outPath = QString::fromLocal8Bit(argv[3]);

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(u"cannot read %1"_s.arg(sourcePath));
    QStringList lines = QString::fromUtf8(source.readAll()).split(u'\n');

    // The anchors of the headings, in order; code blocks hold no headings.
    static const QRegularExpression heading(uR"(^(#{1,6}\s.*?)\s*\{#([A-Za-z0-9_-]+)\}\s*$)"_s);
    QList<QString> anchors;
    bool inCode = false;
    for (QString &line : lines) {
        if (line.startsWith(u"```"_s))
            inCode = !inCode;
        if (inCode || !line.startsWith(u'#'))
            continue;
        const QRegularExpressionMatch m = heading.match(line);
        anchors.append(m.hasMatch() ? m.captured(2) : QString());
        if (m.hasMatch())
            line = m.captured(1);
    }
    QString markdown = lines.join(u'\n');
    markdown.replace(u"](../"_s, u"]("_s);

    QTextDocument document;
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    document.setMetaInformation(QTextDocument::DocumentTitle, u"Velmat 利用者マニュアル"_s);

    // Formats are changed after the walk: changing them during it would
    // move the fragments under the iterator.
    struct Change {
        int from;
        int to;
        QTextCharFormat format;
        bool merge;
    };
    QList<Change> changes;
    qsizetype next = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0) {
            const QString name = anchors.value(next++);
            if (!name.isEmpty()) {
                QTextCharFormat anchor;
                anchor.setAnchor(true);
                anchor.setAnchorNames({name});
                changes.append({block.position(), block.position() + block.length() - 1, anchor, true});
            }
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QString file = imageFolder + u'/' + image.name();
            const QSize size = QImageReader(file).size();
            if (!size.isValid())
                return fail(u"the manual shows %1, which cannot be read"_s.arg(file));
            if (size.width() > kMaxImageWidth) {
                image.setWidth(kMaxImageWidth);
                image.setHeight(qreal(size.height()) * kMaxImageWidth / size.width());
                changes.append({fragment.position(), fragment.position() + fragment.length(), image, false});
            }
        }
    }
    for (const Change &change : std::as_const(changes)) {
        QTextCursor cursor(&document);
        cursor.setPosition(change.from);
        cursor.setPosition(change.to, QTextCursor::KeepAnchor);
        if (change.merge)
            cursor.mergeCharFormat(change.format);
        else
            cursor.setCharFormat(change.format);
    }
    if (next != anchors.size())
        return fail(u"%1 headings in the source, %2 read"_s.arg(anchors.size()).arg(next));

    QFile out(outPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(document.toHtml().toUtf8()) < 0
        || !out.flush())
        return fail(u"cannot write %1"_s.arg(outPath));
    return 0;
}
