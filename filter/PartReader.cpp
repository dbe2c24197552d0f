#include "filter/PartReader.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Checked a piece at a time: a part may be hundreds of megabytes.
bool isUtf8(const QByteArray &bytes)
{
    constexpr qsizetype kPiece = 1 << 16;
    for (qsizetype at = 0; at < bytes.size();) {
        // Pieces end before a lead byte, so no sequence is split between them.
        qsizetype end = std::min(at + kPiece, bytes.size());
        while (end < bytes.size() && (uchar(bytes[end]) & 0xC0) == 0x80 && end - at < kPiece + 3)
            ++end;
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString piece = utf8(QByteArrayView(bytes).sliced(at, end - at));
        if (utf8.hasError())
            return false;
        at = end;
    }
    return true;
}

// Hands the part to the reader. Bytes that are not UTF-8 would stop the reader
// before the first character, so in a part that is meant to be UTF-8 they
// become U+FFFD (written as "?") and the rest is read.
void feed(QXmlStreamReader &reader, const QByteArray &xml, DocumentReading &reading)
{
    static const QRegularExpression declared(uR"(^\s*<\?xml[^>]*encoding\s*=\s*["']([^"']*))"_s);
    const bool utf16 = xml.startsWith("\xFF\xFE") || xml.startsWith("\xFE\xFF");
    const auto m = declared.match(QString::fromLatin1(xml.left(200)));
    const bool otherEncoding = m.hasMatch() && m.captured(1).compare(u"UTF-8"_s, Qt::CaseInsensitive) != 0;
    if (utf16 || otherEncoding || isUtf8(xml)) {
        reader.addData(xml);
        return;
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(xml);
    const qsizetype broken = text.count(QChar::ReplacementCharacter) - xml.count("\xEF\xBF\xBD");
    reading.note(u"文書の %1 に UTF-8 として読めないバイトが %2 か所あり、「?」にしました。"_s.arg(reading.part())
                     .arg(broken));
    reader.addData(text);
}

} // namespace

PartReader::PartReader(const QByteArray &xml, DocumentReading &reading)
    : m_reading(reading)
{
    feed(*this, xml, reading);
}

QXmlStreamReader::TokenType PartReader::next()
{
    TokenType token = readNext();
    if (token == Invalid && m_error.isEmpty()) {
        m_line = lineNumber();
        m_error = errorString();
        if (error() == PrematureEndOfDocumentError) {
            addData(QByteArray("<"));
            token = readNext();
        }
    }
    return token;
}

void PartReader::finish()
{
    if (!m_error.isEmpty())
        m_reading.stop(u"文書の %1 は %2 行目から先が読めません（%3）。"_s.arg(m_reading.part())
                           .arg(m_line)
                           .arg(m_error));
}

QStringView xmlAttribute(const QXmlStreamReader &reader, QStringView localName)
{
    for (const QXmlStreamAttribute &a : reader.attributes()) {
        if (a.name() == localName)
            return a.value();
    }
    return {};
}
