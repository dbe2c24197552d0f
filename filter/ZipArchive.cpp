#include "filter/ZipArchive.h"

#include <QtEndian>

#include <algorithm>

#include <zlib.h>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 kEndOfDirectory = 0x06054b50;
constexpr quint32 kDirectoryEntry = 0x02014b50;
constexpr quint32 kLocalHeader = 0x04034b50;
constexpr qint64 kEndRecordSize = 22;
constexpr qint64 kMaxComment = 0xFFFF;

quint16 u16(const char *p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char *p) { return qFromLittleEndian<quint32>(p); }

std::optional<QByteArray> inflateRaw(const QByteArray &in, quint32 size)
{
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.data()));
    zs.avail_in = uInt(in.size());
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(out.size());
    const int rc = inflate(&zs, Z_FINISH);
    const bool ok = rc == Z_STREAM_END && zs.total_out == size;
    inflateEnd(&zs);
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace

bool looksLikeZip(const QByteArray &head)
{
    return head.size() >= 4 && u32(head.constData()) == kLocalHeader;
}

bool ZipArchive::open(const QString &path)
{
    m_entries.clear();
    m_order.clear();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = u"ファイルを開けません。（%1）"_s.arg(m_file.errorString());
        return false;
    }
    const qint64 fileSize = m_file.size();
    const qint64 tailSize = qMin(fileSize, kEndRecordSize + kMaxComment);
    m_file.seek(fileSize - tailSize);
    const QByteArray tail = m_file.read(tailSize);

    // The end record is the last signature that leaves room for its comment.
    qsizetype at = -1;
    for (qsizetype i = tail.size() - kEndRecordSize; i >= 0; --i) {
        if (u32(tail.constData() + i) == kEndOfDirectory
            && i + kEndRecordSize + u16(tail.constData() + i + 20) <= tail.size()) {
            at = i;
            break;
        }
    }
    if (at < 0) {
        m_error = u"zip 形式の文書ではないか、壊れています。"_s;
        return false;
    }
    const char *end = tail.constData() + at;
    const quint16 count = u16(end + 10);
    const quint32 dirSize = u32(end + 12);
    const quint32 dirOffset = u32(end + 16);
    if (count == 0xFFFF || dirOffset == 0xFFFFFFFF || qint64(dirOffset) + dirSize > fileSize) {
        m_error = u"この zip 形式（zip64 など）には対応していません。"_s;
        return false;
    }
    m_file.seek(dirOffset);
    const QByteArray dir = m_file.read(dirSize);
    qsizetype pos = 0;
    for (int n = 0; n < count; ++n) {
        if (pos + 46 > dir.size() || u32(dir.constData() + pos) != kDirectoryEntry) {
            m_error = u"zip の目録が壊れています。"_s;
            return false;
        }
        const char *e = dir.constData() + pos;
        Entry entry;
        entry.method = u16(e + 10);
        entry.crc = u32(e + 16);
        entry.compressedSize = u32(e + 20);
        entry.size = u32(e + 24);
        const quint16 nameLength = u16(e + 28);
        const quint16 extraLength = u16(e + 30);
        const quint16 commentLength = u16(e + 32);
        entry.localHeaderOffset = u32(e + 42);
        if (pos + 46 + nameLength > dir.size()) {
            m_error = u"zip の目録が壊れています。"_s;
            return false;
        }
        const QString name = QString::fromUtf8(e + 46, nameLength);
        if (!m_entries.contains(name)) {
            m_entries.insert(name, entry);
            m_order << name;
        }
        pos += 46 + nameLength + extraLength + commentLength;
    }
    return markOverlaps();
}

bool ZipArchive::markOverlaps()
{
    // Each entry's data runs from its local header to the end of its
    // compressed bytes. An office program never lets two entries share bytes;
    // a file that does wants one deflated part inflated many times over.
    struct Span {
        qint64 begin;
        qint64 end;
        Entry *entry;
    };
    QList<Span> spans;
    spans.reserve(m_entries.size());
    const qint64 fileSize = m_file.size();
    for (Entry &entry : m_entries) {
        m_file.seek(entry.localHeaderOffset);
        const QByteArray header = m_file.read(30);
        if (header.size() != 30 || u32(header.constData()) != kLocalHeader) {
            // Told when the entry is read; its span is unknown, so it claims none.
            continue;
        }
        const qint64 begin = entry.localHeaderOffset;
        const qint64 end = begin + 30 + u16(header.constData() + 26) + u16(header.constData() + 28)
                           + entry.compressedSize;
        spans.append({begin, std::min(end, fileSize), &entry});
    }
    std::sort(spans.begin(), spans.end(), [](const Span &a, const Span &b) { return a.begin < b.begin; });
    const Span *furthest = nullptr; // of the spans before, the one that reaches furthest
    for (const Span &span : spans) {
        if (furthest && span.begin < furthest->end) {
            span.entry->overlaps = true;
            furthest->entry->overlaps = true;
        }
        if (!furthest || span.end > furthest->end)
            furthest = &span;
    }
    return true;
}

std::optional<QByteArray> ZipArchive::read(const QString &name)
{
    const auto it = m_entries.constFind(name);
    if (it == m_entries.constEnd()) {
        m_error = u"文書に %1 がありません。"_s.arg(name);
        return std::nullopt;
    }
    const Entry &entry = *it;
    if (entry.overlaps) {
        m_error = u"文書の %1 は、ほかの部分とデータが重なっているため読みません。"_s.arg(name);
        return std::nullopt;
    }
    // Checked before anything is read: the sizes are the directory's word, and
    // inflating stops at the claimed size.
    if (qint64(entry.size) > m_budget - m_inflated || qint64(entry.compressedSize) > m_budget) {
        m_error = u"文書の %1 は読みません。展開すると文書全体で %2 を超えます。"_s.arg(
            name, m_budget == kMaxInflated ? QString::fromLatin1(kMaxInflatedName)
                                           : u"%1 B"_s.arg(m_budget));
        return std::nullopt;
    }
    m_file.seek(entry.localHeaderOffset);
    const QByteArray header = m_file.read(30);
    if (header.size() != 30 || u32(header.constData()) != kLocalHeader) {
        m_error = u"文書の %1 が壊れています。"_s.arg(name);
        return std::nullopt;
    }
    m_file.seek(qint64(entry.localHeaderOffset) + 30 + u16(header.constData() + 26)
                + u16(header.constData() + 28));
    const QByteArray raw = m_file.read(entry.compressedSize);
    if (raw.size() != qsizetype(entry.compressedSize)) {
        m_error = u"文書の %1 が途中で切れています。"_s.arg(name);
        return std::nullopt;
    }

    std::optional<QByteArray> data;
    if (entry.method == 0)
        data = raw;
    else if (entry.method == 8)
        data = inflateRaw(raw, entry.size);
    else {
        m_error = u"文書の %1 は対応していない方式で圧縮されています。"_s.arg(name);
        return std::nullopt;
    }
    if (!data || data->size() != qsizetype(entry.size)
        || crc32(0, reinterpret_cast<const Bytef *>(data->constData()), uInt(data->size()))
               != entry.crc) {
        m_error = u"文書の %1 が壊れています。"_s.arg(name);
        return std::nullopt;
    }
    m_inflated += data->size();
    return data;
}
