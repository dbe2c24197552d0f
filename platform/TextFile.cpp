#include "platform/TextFile.h"

#include "platform/Cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool startsWith(QByteArrayView bytes, QByteArrayView prefix)
{
    return bytes.size() >= prefix.size() && bytes.first(prefix.size()) == prefix;
}

DecodedText decodeUtf16(QByteArrayView body, bool littleEndian)
{
    DecodedText out;
    out.encoding = littleEndian ? TextEncoding::Utf16LE : TextEncoding::Utf16BE;
    const qsizetype units = body.size() / 2;
    out.text.resize(units);
    QChar *dst = out.text.data();
    const auto *src = reinterpret_cast<const uchar *>(body.data());
    for (qsizetype i = 0; i < units; ++i) {
        const uchar lo = src[2 * i + (littleEndian ? 0 : 1)];
        const uchar hi = src[2 * i + (littleEndian ? 1 : 0)];
        dst[i] = QChar(char16_t(lo | (hi << 8)));
    }
    // A surrogate without its partner cannot be shown or saved: it is broken
    // like any other undecodable sequence.
    for (qsizetype i = 0; i < units; ++i) {
        if (!QChar::isSurrogate(dst[i].unicode()))
            continue;
        if (dst[i].isHighSurrogate() && i + 1 < units && dst[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        dst[i] = QChar::ReplacementCharacter;
        ++out.brokenSequences;
    }
    // A file cut in the middle of a code unit.
    if (body.size() % 2 != 0) {
        out.text.append(QChar::ReplacementCharacter);
        ++out.brokenSequences;
    }
    return out;
}

} // namespace

QString textEncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::ShiftJis: return u"Shift-JIS"_s;
    case TextEncoding::Utf8: return u"UTF-8"_s;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: return u"UTF-16"_s;
    }
    return u"Shift-JIS"_s;
}

void foldLineEnds(QString &text)
{
    const auto isBreak = [](char16_t c) {
        return c == u'\r' || c == u'\u2028' || c == u'\u2029' || c == u'\u0085';
    };
    const auto *const begin = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    qsizetype first = 0;
    while (first < n && !isBreak(begin[first]))
        ++first;
    if (first == n)
        return; // nothing to fold: no copy at all
    char16_t *data = reinterpret_cast<char16_t *>(text.data());
    qsizetype out = first;
    for (qsizetype i = first; i < n; ++i) {
        const char16_t c = data[i];
        if (!isBreak(c)) {
            data[out++] = c;
            continue;
        }
        data[out++] = u'\n';
        if (c == u'\r' && i + 1 < n && data[i + 1] == u'\n')
            ++i;
    }
    text.truncate(out);
}

namespace {
struct Utf8Shape {
    bool valid = true;          // well-formed UTF-8 throughout
    bool multiByte = false;     // holds a sequence of two or more bytes
    bool longSequences = false; // holds one of three or four bytes
};

// Stops at the first byte that cannot be UTF-8: a Shift-JIS roll fails within
// its first kana, so the check costs nearly nothing there.
Utf8Shape utf8Shape(QByteArrayView bytes)
{
    Utf8Shape shape;
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        char32_t min = 0;
        char32_t code = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            min = 0x80;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            min = 0x800;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            min = 0x10000;
            code = c & 0x07;
        } else {
            shape.valid = false;
            return shape;
        }
        if (i + length > n) {
            shape.valid = false;
            return shape;
        }
        for (int k = 1; k < length; ++k) {
            const uchar t = p[i + k];
            if ((t & 0xC0) != 0x80) {
                shape.valid = false;
                return shape;
            }
            code = code << 6 | (t & 0x3F);
        }
        // Overlong forms, surrogates and codes past U+10FFFF are not UTF-8.
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            shape.valid = false;
            return shape;
        }
        shape.multiByte = true;
        if (length >= 3)
            shape.longSequences = true;
        i += length;
    }
    return shape;
}

DecodedText decodeByMark(QByteArrayView bytes, LineEnds ends)
{
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        DecodedText out;
        out.encoding = TextEncoding::Utf8;
        // Only the first mark is the file's; the decoder would drop a second one.
        QStringDecoder decoder(QStringConverter::Utf8,
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        const QByteArrayView body = bytes.sliced(3);
        out.text = decoder(body);
        // The decoder only says that something failed; each failure is one U+FFFD,
        // and so is each U+FFFD the file really holds (EF BF BD).
        if (decoder.hasError())
            out.brokenSequences = out.text.count(QChar::ReplacementCharacter)
                                  - body.count("\xEF\xBF\xBD");
        return out;
    }
    if (startsWith(bytes, "\xFF\xFE"))
        return decodeUtf16(bytes.sliced(2), true);
    if (startsWith(bytes, "\xFE\xFF"))
        return decodeUtf16(bytes.sliced(2), false);

    // Japanese in UTF-8 is never valid Shift-JIS text of any length, and the
    // reverse holds as well: a roll written by a UTF-8 editor reads as it was
    // written instead of as mojibake with a hundred broken places.
    const Utf8Shape shape = utf8Shape(bytes);
    if (shape.valid && shape.longSequences) {
        DecodedText out;
        out.encoding = TextEncoding::Utf8;
        out.utf8WithoutMark = true;
        out.text = QString::fromUtf8(bytes);
        return out;
    }
    DecodedText out;
    // Code page 932 has no U+FFFD, so every one the decoder writes is a broken sequence.
    out.text = cp932Decode(bytes, ends, &out.brokenSequences);
    if (out.brokenSequences > 0 && shape.valid && shape.multiByte) {
        out = DecodedText{};
        out.encoding = TextEncoding::Utf8;
        out.utf8WithoutMark = true;
        out.text = QString::fromUtf8(bytes);
    }
    return out;
}
} // namespace

DecodedText decodeTextBytes(QByteArrayView bytes, LineEnds ends)
{
    DecodedText out = decodeByMark(bytes, ends);
    // Shift-JIS, nearly every roll, was folded while decoding.
    if (ends == LineEnds::Fold && out.encoding != TextEncoding::ShiftJis)
        foldLineEnds(out.text);
    return out;
}

FileBytesRead readFileBytes(const QString &path)
{
    FileBytesRead result;
    const QFileInfo info(path);
    if (info.isDir()) {
        result.error = u"フォルダは開けません。"_s;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = info.exists() ? u"読み込みが拒否されました。（%1）"_s.arg(file.errorString())
                                     : u"ファイルが見つかりません。"_s;
        return result;
    }
    BoundedRead read = readBoundedBytes(file);
    if (read.tooLarge) {
        result.error = u"ファイルが大きすぎます。読み込めるのは %1 までです。"_s.arg(
            QLatin1StringView(kTextInputLimitName));
        return result;
    }
    if (read.failed) {
        result.error = u"読み込み中にエラーが起きました。（%1）"_s.arg(file.errorString());
        return result;
    }
    result.bytes = std::move(read.bytes);
    result.ok = true;
    return result;
}

TextFileRead readTextFile(const QString &path, LineEnds ends)
{
    TextFileRead result;
    const FileBytesRead read = readFileBytes(path);
    if (!read.ok) {
        result.error = read.error;
        return result;
    }
    result.decoded = decodeTextBytes(read.bytes, ends);
    result.ok = true;
    return result;
}

BoundedRead readBoundedBytes(QIODevice &device, qint64 limit)
{
    BoundedRead result;
    // A file that says it is too large is refused unread; devices and pipes
    // tell nothing, so those are read until they pass the bound.
    if (!device.isSequential()) {
        const qint64 size = device.size() - device.pos();
        if (size > limit) {
            result.tooLarge = true;
            return result;
        }
        result.bytes.reserve(qsizetype(size) + 1);
    }
    constexpr qint64 kChunk = 1 << 20;
    QByteArray &bytes = result.bytes;
    for (;;) {
        const qsizetype before = bytes.size();
        qint64 want = std::min(kChunk, limit + 1 - before);
        // Fill what is reserved before growing: a file of known size is read
        // into one buffer, its end found by a one-byte read.
        const qsizetype room = bytes.capacity() - before;
        if (room > 0)
            want = std::min<qint64>(want, room);
        else
            bytes.reserve(std::max(before + qsizetype(want), 2 * bytes.capacity()));
        bytes.resize(before + want);
        const qint64 got = device.read(bytes.data() + before, want);
        bytes.resize(before + std::max<qint64>(got, 0));
        if (got < 0) {
            result.failed = true;
            return result;
        }
        if (bytes.size() > limit) {
            result.tooLarge = true;
            bytes = QByteArray();
            return result;
        }
        if (got == 0)
            return result;
    }
}

FileWriteResult writeFileAtomically(const QString &path, QByteArrayView bytes)
{
    FileWriteResult result;
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists() || !folder.isDir()) {
        result.error = u"保存先のフォルダがありません。"_s;
        return result;
    }
    if (info.isDir()) {
        result.error = u"同じ名前のフォルダがあります。"_s;
        return result;
    }
    // No direct-write fallback: a folder that refuses the temporary file must
    // fail the save rather than let the old file be truncated and rewritten.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = u"ファイルを作成できません。書込み禁止のフォルダではありませんか？（%1）"_s
                           .arg(file.errorString());
        return result;
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        file.commit(); // removes the temporary file
        result.error = u"書き込みに失敗しました。ディスクの空き容量を確認してください。（%1）"_s.arg(reason);
        return result;
    }
    if (!file.commit()) {
        result.error = (file.error() == QFileDevice::RenameError
                            ? u"ファイルを置き換えられません。（%1）"_s
                            : u"書き込みに失敗しました。ディスクの空き容量を確認してください。（%1）"_s)
                           .arg(file.errorString());
        return result;
    }
    result.ok = true;
    return result;
}
