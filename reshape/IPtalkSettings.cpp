#include "reshape/IPtalkSettings.h"

#include "reshape/TextUnits.h"

#include "platform/TextFile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

// A character no text file holds: NUL and the C0 controls but tab, the line
// breaks and the old end-of-file mark.
bool isBinaryCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f' && u != u'\v' && u != 0x1a;
}

struct ItemLine {
    int item = 0;
    QString value;
    bool complete = false; // the value ended at a ':'
};

// "%d%*c%[^:]" and the ':' after the value; nullopt when the number or the
// value is missing (the line is not an item line).
std::optional<ItemLine> parseItemLine(QStringView line)
{
    qsizetype i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    const qsizetype numberStart = i;
    if (i < line.size() && (line[i] == u'+' || line[i] == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < line.size() && line[i].unicode() >= u'0' && line[i].unicode() <= u'9')
        ++i;
    if (i == digitsStart)
        return std::nullopt;
    ItemLine parsed;
    parsed.item = leadingNumber(line.mid(numberStart, i - numberStart), -1000000, 1000000);
    // The separator, whatever it is: one character, with the second half of a
    // surrogate pair and any combining marks, never half of one.
    i = i < line.size() ? TextUnits(line).endOf(i) : i + 1;
    if (i >= line.size())
        return std::nullopt;
    const qsizetype colon = line.indexOf(u':', i);
    const qsizetype end = colon < 0 ? line.size() : colon;
    if (end == i)
        return std::nullopt; // an empty value: nothing read
    parsed.value = line.mid(i, end - i).toString();
    parsed.complete = colon >= 0;
    return parsed;
}

} // namespace

int leadingNumber(QStringView text, int min, int max)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    for (; i < text.size() && text[i].unicode() >= u'0' && text[i].unicode() <= u'9'; ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - u'0'), qint64(1) << 40);
    if (negative)
        value = -value;
    return int(std::clamp<qint64>(value, min, max));
}

IPtalkSettings parseIPtalkSettings(QByteArrayView bytes)
{
    IPtalkSettings out;
    if (bytes.size() > kIPtalkSettingsLimit) {
        out.problem = u"ファイルが大きすぎます（IPtalkの設定ファイルは %1 MB までです）。"_s.arg(
            kIPtalkSettingsLimit / (1024 * 1024));
        return out;
    }
    DecodedText decoded = decodeTextBytes(bytes, LineEnds::Fold);
    if (decoded.brokenSequences > 0 && decoded.encoding == TextEncoding::ShiftJis) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = utf8(bytes);
        if (!utf8.hasError()) {
            foldLineEnds(text);
            decoded = {text, TextEncoding::Utf8, 0};
        }
    }
    const QString &text = decoded.text;
    for (const QChar c : text) {
        if (isBinaryCharacter(c)) {
            out.problem = u"テキストファイルではありません。"_s;
            return out;
        }
    }
    if (decoded.brokenSequences > 0) {
        out.problem = u"%1 として読めない部分があります（%2 か所）。途中で切れているか、別の文字コードのファイルです。"_s
                          .arg(textEncodingName(decoded.encoding))
                          .arg(decoded.brokenSequences);
        return out;
    }
    IPtalkSettings found;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (line.size() > kIPtalkLineLimit)
            continue;
        const std::optional<ItemLine> parsed = parseItemLine(line);
        if (!parsed || (parsed->item != 1 && parsed->item != 7 && parsed->item != 9))
            continue;
        // A value not closed by ':' is a line cut short; its value may be cut too.
        if (!parsed->complete) {
            out.problem = u"項目 %1 の行が途中で切れています。"_s.arg(parsed->item);
            return out;
        }
        switch (parsed->item) {
        case 1: found.screenWidth = leadingNumber(parsed->value, 0, 3000); break;
        case 7: found.font = parsed->value; break;
        case 9: found.points = leadingNumber(parsed->value, 0, 300); break;
        }
    }
    return found;
}

IPtalkSettings readIPtalkSettings(const QString &path)
{
    QFile file(path);
    IPtalkSettings out;
    if (!file.open(QIODevice::ReadOnly)) {
        out.problem = file.errorString();
        out.openFailed = true;
        return out;
    }
    const BoundedRead read = readBoundedBytes(file, kIPtalkSettingsLimit);
    if (read.failed) {
        out.problem = file.errorString();
        return out;
    }
    if (read.tooLarge) {
        out.problem = u"ファイルが大きすぎます（IPtalkの設定ファイルは %1 MB までです）。"_s.arg(
            kIPtalkSettingsLimit / (1024 * 1024));
        return out;
    }
    return parseIPtalkSettings(read.bytes);
}

WidthCheckSettings withIPtalkSettings(WidthCheckSettings current, const IPtalkSettings &items)
{
    if (items.screenWidth)
        current.screenWidth = *items.screenWidth;
    if (items.font)
        current.font = *items.font;
    if (items.points)
        current.points = *items.points;
    return current;
}
