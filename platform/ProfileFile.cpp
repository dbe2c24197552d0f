#include "platform/ProfileFile.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimmed(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

QString cleanValue(QStringView raw)
{
    QStringView v = trimmed(raw);
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v.left(ProfileFile::kMaxValueLength).toString();
}

std::optional<int> parseInt(const QString &s)
{
    bool ok = false;
    qlonglong n = 0;
    if (s.size() >= 3 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
        const QStringView digits = QStringView(s).sliced(2);
        for (QChar c : digits) {
            if (!isxdigit(c.unicode() < 128 ? c.toLatin1() : 'g'))
                return std::nullopt;
        }
        n = digits.toLongLong(&ok, 16);
        // Eight hex digits may stand for a negative number, as written by 32-bit tools.
        if (ok && n > std::numeric_limits<int>::max() && n <= 0xFFFFFFFFLL)
            n -= 0x100000000LL;
    } else {
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s[i];
            if (!(c.unicode() >= '0' && c.unicode() <= '9') && !(i == 0 && (c == u'-' || c == u'+')))
                return std::nullopt;
        }
        n = s.toLongLong(&ok, 10);
    }
    if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(n);
}

} // namespace

ProfileFile::ProfileFile(const QString &path)
    : m_path(path)
{
    m_sections.append(Section{});
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (QFileInfo::exists(path))
            m_readError = file.errorString();
        return;
    }
    const BoundedRead read = readBoundedBytes(file, kMaxFileBytes);
    if (read.tooLarge) {
        m_tooLarge = true;
        m_readError = QStringLiteral("ファイルが大きすぎます。設定やリストのファイルとして読めるのは 16 MiB までです。");
        return;
    }
    if (read.failed) {
        m_readError = file.errorString();
        return;
    }
    m_existed = true;
    const QByteArray &bytes = read.bytes;
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        m_encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(bytes.mid(3));
    } else if (bytes.startsWith("\xFF\xFE")) {
        m_encoding = Encoding::Utf16LeBom;
        text = QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        m_encoding = Encoding::Utf16BeBom;
        text = QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    } else {
        text = cp932Decode(bytes);
    }
    parse(text);
}

void ProfileFile::parse(const QString &text)
{
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QString raw = text.mid(start, end - start);
        // CR LF, a lone LF or a lone CR each end a line.
        start = end + ((end + 1 < n && text[end] == u'\r' && text[end + 1] == u'\n') ? 2 : 1);

        const QStringView line = trimmed(raw);
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name =
                trimmed(line.sliced(1, (close < 0 ? line.size() : close) - 1)).toString();
            m_sections.append(Section{name, {Line{raw, {}, 0}}, {}});
            m_sectionIndex.insert(name.toLower(), m_sections.size() - 1); // later ones win below
            continue;
        }
        Section &section = m_sections.last();
        Line entry{raw, {}, 0};
        const qsizetype eq = raw.indexOf(u'=');
        if (eq > 0 && !line.startsWith(u';')) {
            const QString key = trimmed(QStringView(raw).left(eq)).toString();
            if (!key.isEmpty()) {
                entry.key = key;
                entry.valueStart = eq + 1;
                section.keys.insert(key.toLower(), section.lines.size()); // later ones win below
            }
        }
        section.lines.append(entry);
    }
    // The first of duplicate sections and keys is the one that counts.
    m_sectionIndex.clear();
    for (qsizetype s = m_sections.size() - 1; s >= 1; --s)
        m_sectionIndex.insert(m_sections[s].name.toLower(), s);
    for (Section &section : m_sections) {
        section.keys.clear();
        for (qsizetype i = section.lines.size() - 1; i >= 0; --i) {
            if (!section.lines[i].key.isEmpty())
                section.keys.insert(section.lines[i].key.toLower(), i);
        }
    }
}

const ProfileFile::Line *ProfileFile::find(const QString &section, const QString &key) const
{
    const auto s = m_sectionIndex.constFind(section.toLower());
    if (s == m_sectionIndex.cend())
        return nullptr;
    const Section &sec = m_sections[*s];
    const auto k = sec.keys.constFind(key.toLower());
    return k == sec.keys.cend() ? nullptr : &sec.lines[*k];
}

QString ProfileFile::readString(const QString &section, const QString &key,
                                const QString &defaultValue) const
{
    const Line *line = find(section, key);
    return line ? cleanValue(QStringView(line->raw).sliced(line->valueStart)) : defaultValue;
}

int ProfileFile::readInt(const QString &section, const QString &key, int defaultValue) const
{
    const Line *line = find(section, key);
    if (!line)
        return defaultValue;
    return parseInt(cleanValue(QStringView(line->raw).sliced(line->valueStart))).value_or(defaultValue);
}

bool ProfileFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInt(section, key, defaultValue ? 1 : 0) != 0;
}

int ProfileFile::readListLength(const QString &section, const QString &countKey, const QString &prefix,
                                int digits) const
{
    const int count = readInt(section, countKey, 0);
    const auto s = m_sectionIndex.constFind(section.toLower());
    if (count <= 0 || s == m_sectionIndex.cend())
        return 0;
    const Section &sec = m_sections[*s];
    const qsizetype bound = std::min<qsizetype>(count, sec.keys.size());
    const QString lowerPrefix = prefix.toLower();
    qsizetype last = -1;
    for (auto it = sec.keys.cbegin(); it != sec.keys.cend(); ++it) {
        const QString &key = it.key();
        if (!key.startsWith(lowerPrefix))
            continue;
        const QStringView number = QStringView(key).sliced(lowerPrefix.size());
        // Only the spelling the writer uses: zero-padded to the width, or
        // more digits without a leading zero.
        if (number.size() < digits || number.size() > 10 || (number.size() > digits && number.front() == u'0'))
            continue;
        bool ok = false;
        const qlonglong index = number.toLongLong(&ok);
        if (ok && number.front().isDigit() && index < bound)
            last = std::max<qsizetype>(last, index);
    }
    return int(last + 1);
}

QString ProfileFile::quotedWhereNeeded(const QString &value)
{
    if (value.isEmpty())
        return value;
    const bool blankEnds = isBlank(value.front()) || isBlank(value.back());
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front();
    return blankEnds || quoted ? u'"' + value + u'"' : value;
}

ProfileFile::Section &ProfileFile::sectionForWrite(const QString &name)
{
    const auto s = m_sectionIndex.constFind(name.toLower());
    if (s != m_sectionIndex.cend())
        return m_sections[*s];
    m_sections.append(Section{name, {Line{u'[' + name + u']', {}, 0}}, {}});
    m_sectionIndex.insert(name.toLower(), m_sections.size() - 1);
    return m_sections.last();
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    QString oneLine = value;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    Section &sec = sectionForWrite(section);
    const auto k = sec.keys.constFind(key.toLower());
    if (k != sec.keys.cend()) {
        Line &line = sec.lines[*k];
        line.raw = line.raw.left(line.valueStart) + oneLine;
        return;
    }
    // After the last non-blank line of the section, so blank separators stay below.
    qsizetype at = sec.lines.size();
    while (at > 1 && trimmed(sec.lines[at - 1].raw).isEmpty())
        --at;
    for (auto it = sec.keys.begin(); it != sec.keys.end(); ++it) {
        if (*it >= at)
            ++*it;
    }
    sec.lines.insert(at, Line{key + u'=' + oneLine, key, key.size() + 1});
    sec.keys.insert(key.toLower(), at);
}

void ProfileFile::writeInt(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString ProfileFile::text() const
{
    QString out;
    for (const Section &section : m_sections) {
        for (const Line &line : section.lines) {
            out += line.raw;
            out += QLatin1String("\r\n");
        }
    }
    return out;
}

bool ProfileFile::save(QString *error) const
{
    const QString content = text();
    QByteArray bytes;
    switch (m_encoding) {
    case Encoding::ShiftJis:
        bytes = cp932Encode(content);
        break;
    case Encoding::Utf8Bom:
        bytes = "\xEF\xBB\xBF" + content.toUtf8();
        break;
    case Encoding::Utf16LeBom:
        bytes = "\xFF\xFE" + QByteArray(QStringEncoder(QStringEncoder::Utf16LE).encode(content));
        break;
    case Encoding::Utf16BeBom:
        bytes = "\xFE\xFF" + QByteArray(QStringEncoder(QStringEncoder::Utf16BE).encode(content));
        break;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
