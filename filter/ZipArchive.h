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
    // The most one document inflates, all its entries together: a small file
    // may claim (or expand to) gigabytes, in one entry or in many that point at
    // the same data.
    static constexpr qint64 kMaxInflated = 256 * 1024 * 1024;
    // The bound as the messages name it.
    static constexpr char kMaxInflatedName[] = "256 MiB";

    // `budget`: the most all entries of the document may inflate to, together.
    explicit ZipArchive(qint64 budget = kMaxInflated)
        : m_budget(budget)
    {
    }

    // Opens `path` and reads its directory; false with error() set when the file
    // cannot be read or is not a zip we understand.
    bool open(const QString &path);

    // Entry names in directory order.
    QStringList entryNames() const { return m_order; }
    bool contains(const QString &name) const { return m_entries.contains(name); }

    // The entry's uncompressed bytes; nullopt (and error() set) when it is
    // missing, damaged, shares its data with another entry, or would take the
    // document past kMaxInflated.
    std::optional<QByteArray> read(const QString &name);

    QString error() const { return m_error; }

private:
    struct Entry {
        quint16 method = 0;
        quint32 crc = 0;
        quint32 compressedSize = 0;
        quint32 size = 0;
        quint32 localHeaderOffset = 0;
        bool overlaps = false; // its data is also another entry's
    };

    // Reads every entry's local header and marks the entries whose data
    // overlap; false when a header lies outside the file.
    bool markOverlaps();

    QFile m_file;
    QHash<QString, Entry> m_entries;
    QStringList m_order;
    QString m_error;
    qint64 m_budget;
    qint64 m_inflated = 0; // bytes handed out by read() so far
};

// True when the bytes begin like a zip file (local file header signature).
bool looksLikeZip(const QByteArray &head);
