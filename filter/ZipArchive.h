#pragma once
// Just enough of the zip format to read the XML parts of office documents:
// the central directory, stored and deflated entries, CRC checked. No zip64,
// no encryption, no writing.
#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

class ZipArchive {
public:
    // Largest entry we inflate: guards against a small file that claims (or
    // expands to) gigabytes.
    static constexpr qint64 kMaxEntrySize = 256 * 1024 * 1024;

    // Opens `path` and reads its directory; false with error() set when the file
    // cannot be read or is not a zip we understand.
    bool open(const QString &path);

    // Entry names in directory order.
    QStringList entryNames() const { return m_order; }
    bool contains(const QString &name) const { return m_entries.contains(name); }

    // The entry's uncompressed bytes; nullopt (and error() set) when it is
    // missing, damaged or too large.
    std::optional<QByteArray> read(const QString &name);

    QString error() const { return m_error; }

private:
    struct Entry {
        quint16 method = 0;
        quint32 crc = 0;
        quint32 compressedSize = 0;
        quint32 size = 0;
        quint32 localHeaderOffset = 0;
    };

    QFile m_file;
    QHash<QString, Entry> m_entries;
    QStringList m_order;
    QString m_error;
};

// True when the bytes begin like a zip file (local file header signature).
bool looksLikeZip(const QByteArray &head);
