#pragma once
// INI ("private profile") files as the captioning tools write them: sections in
// square brackets, "key=value" lines, names matched without regard to case.
// The whole file is read at once; writes change it in memory, keeping every
// other line as it was, and save() replaces the file atomically.
#include <QHash>
#include <QList>
#include <QString>

class ProfileFile {
public:
    enum class Encoding { ShiftJis, Utf8Bom, Utf16LeBom, Utf16BeBom };

    // Reads `path`; a missing, unreadable or too large file reads as empty
    // (every key then yields its default; readError() says why for a file that
    // is there). Broken lines are kept but carry no key.
    explicit ProfileFile(const QString &path);

    // Maximum characters a read returns, as the profile reader of the tools does.
    static constexpr int kMaxValueLength = 2047;
    // The most bytes a profile file may have. Settings and word lists are far
    // smaller; a larger file (or a device such as /dev/zero) is refused with a
    // reason instead of taking all memory, and reads as missing.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    // True when the file was there and could be read.
    bool exists() const { return m_existed; }
    // Why a file that is there could not be read; empty otherwise.
    QString readError() const { return m_readError; }
    // The file was refused for its size (more than kMaxFileBytes).
    bool tooLarge() const { return m_tooLarge; }

    // The value without surrounding blanks and one pair of enclosing quotes,
    // at most kMaxValueLength characters; `defaultValue` when section or key is missing.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // Decimal, or hexadecimal after "0x"/"0X" (three characters or more); the
    // default when the value is missing or not a number that fits an int.
    int readInt(const QString &section, const QString &key, int defaultValue) const;
    // Any integer but 0 is true; the default when missing or not a number.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // The length of a list kept as a count key and numbered entries (prefix and
    // the index zero-padded to `digits`, "File_%03d"): the count, but never
    // past the last entry present nor beyond the keys the section holds, so a
    // damaged count costs no more than the file itself. Gaps before the last
    // entry present still count (they read as empty entries).
    int readListLength(const QString &section, const QString &countKey, const QString &prefix,
                       int digits) const;

    // `value` as it must be written for readString to give it back unchanged:
    // in quotes when it has blanks at either end or one pair of enclosing quotes,
    // which the reader would otherwise take off.
    static QString quotedWhereNeeded(const QString &value);

    // Sets a key in memory: an existing key keeps its line, a new key goes after
    // the last entry of its section, a new section at the end of the file.
    // Line breaks in the value become blanks (a value is one line).
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInt(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // Writes the file in its own encoding (Shift-JIS for a new one) with CR LF,
    // through a temporary file renamed over the old one. On failure returns false
    // with a reason in `error`; the old file is untouched.
    bool save(QString *error = nullptr) const;

    // The file's text as it would be saved.
    QString text() const;

private:
    struct Line {
        QString raw;      // the line as read or written
        QString key;      // empty for section headers, comments and broken lines
        qsizetype valueStart = 0;
    };
    struct Section {
        QString name;
        QList<Line> lines; // lines[0] is the header, except for the part before any section
        QHash<QString, qsizetype> keys; // lower-case key → index in lines (first wins)
    };

    void parse(const QString &text);
    const Line *find(const QString &section, const QString &key) const;
    Section &sectionForWrite(const QString &name);

    QString m_path;
    Encoding m_encoding = Encoding::ShiftJis;
    bool m_existed = false;
    bool m_tooLarge = false;
    QString m_readError;
    QList<Section> m_sections;               // m_sections[0]: lines before the first header
    QHash<QString, qsizetype> m_sectionIndex; // lower-case name → index (first wins)
};
