#pragma once
// Zip files made while the tests run, so that hostile ones are never
// committed: deflated entries, and directory entries that point at the data
// of another.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <zlib.h>

struct ZipFixtureEntry {
    QString name;
    QByteArray data;
    int sharesWith = -1; // index of an earlier entry whose data this one claims as its own
};

namespace zipfixture {

inline void put16(QByteArray &out, quint32 v)
{
    char b[2];
    qToLittleEndian<quint16>(quint16(v), b);
    out.append(b, 2);
}

inline void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian<quint32>(v, b);
    out.append(b, 4);
}

inline QByteArray deflateRaw(const QByteArray &data)
{
    z_stream zs{};
    deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&zs, uLong(data.size()))), Qt::Uninitialized);
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    zs.avail_in = uInt(data.size());
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(out.size());
    deflate(&zs, Z_FINISH);
    out.truncate(qsizetype(zs.total_out));
    deflateEnd(&zs);
    return out;
}

} // namespace zipfixture

inline QByteArray zipFixture(const QList<ZipFixtureEntry> &entries)
{
    using namespace zipfixture;
    struct Written {
        quint32 offset, crc, compressed, size;
    };
    QByteArray file;
    QList<Written> written;
    for (const ZipFixtureEntry &e : entries) {
        if (e.sharesWith >= 0) {
            written << written.at(e.sharesWith);
            continue;
        }
        const QByteArray packed = deflateRaw(e.data);
        const QByteArray name = e.name.toUtf8();
        const Written w{quint32(file.size()),
                        quint32(crc32(0, reinterpret_cast<const Bytef *>(e.data.constData()), uInt(e.data.size()))),
                        quint32(packed.size()), quint32(e.data.size())};
        put32(file, 0x04034b50);
        put16(file, 20);
        put16(file, 0);
        put16(file, 8);
        put32(file, 0);
        put32(file, w.crc);
        put32(file, w.compressed);
        put32(file, w.size);
        put16(file, quint32(name.size()));
        put16(file, 0);
        file += name;
        file += packed;
        written << w;
    }
    const quint32 dirOffset = quint32(file.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QByteArray name = entries.at(i).name.toUtf8();
        const Written &w = written.at(i);
        put32(file, 0x02014b50);
        put16(file, 20);
        put16(file, 20);
        put16(file, 0);
        put16(file, 8);
        put32(file, 0);
        put32(file, w.crc);
        put32(file, w.compressed);
        put32(file, w.size);
        put16(file, quint32(name.size()));
        put16(file, 0);
        put16(file, 0);
        put16(file, 0);
        put16(file, 0);
        put32(file, 0);
        put32(file, w.offset);
        file += name;
    }
    const quint32 dirSize = quint32(file.size()) - dirOffset;
    put32(file, 0x06054b50);
    put16(file, 0);
    put16(file, 0);
    put16(file, quint32(entries.size()));
    put16(file, quint32(entries.size()));
    put32(file, dirSize);
    put32(file, dirOffset);
    put16(file, 0);
    return file;
}
