#include "roll/RollRtf.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"
#include "roll/RollFile.h"

#include <QList>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t kIdeographicSpace = 0x3000;

void appendChar(QByteArray &out, char16_t c)
{
    if (c == u'\\' || c == u'{' || c == u'}') {
        out += '\\';
        out += char(c);
    } else if (c == u'\t') {
        out += "\\tab ";
    } else if (c >= 0x20 && c < 0x7f) {
        out += char(c);
    } else {
        // RTF takes a signed 16-bit number; '?' is what older readers show.
        out += "\\u";
        out += QByteArray::number(int(int16_t(c)));
        out += '?';
    }
}

} // namespace

namespace {
// How every copy the program writes begins; Open knows a copy by it.
constexpr char kRollRtfSignature[] = "{\\rtf1\\ansi\\ansicpg932\\deff0\\uc1"
                                     "{\\fonttbl{\\f0\\fmodern\\fcharset128 MS Gothic;}}";
} // namespace

QByteArray rollToRtf(const QStringList &lines, const CommentKinds &kinds)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 8;
    QByteArray out;
    out.reserve(size + 256);
    out += kRollRtfSignature;
    out += "{\\colortbl ;\\red192\\green192\\blue192;\\red166\\green202\\blue240;}\r\n"
           "\\pard\\f0 ";
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (i > 0)
            out += "\\par\r\n";
        const bool comment = IsRecognisedComment(line, kinds);
        if (comment)
            out += "{\\highlight1 ";
        for (const QChar ch : line) {
            const char16_t c = ch.unicode();
            if (c == kIdeographicSpace && !comment) {
                out += "{\\highlight2 ";
                appendChar(out, c);
                out += '}';
            } else {
                appendChar(out, c);
            }
        }
        if (comment)
            out += '}';
    }
    out += "}\r\n";
    return out;
}

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Groups whose text is not part of the document.
bool isSkippedDestination(QByteArrayView word)
{
    static const char *const kSkipped[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict",
                                           "header", "footer", "headerl", "headerr", "footerl",
                                           "footerr", "object", "listtable", "listoverridetable",
                                           "rsidtbl", "generator", "xmlnstbl", "themedata",
                                           "datastore", "latentstyles", "fldinst"};
    for (const char *name : kSkipped) {
        if (word == QByteArrayView(name))
            return true;
    }
    return false;
}

class RtfReader {
public:
    explicit RtfReader(QByteArrayView bytes) : m_in(bytes) {}

    RollFromFile read()
    {
        RollFromFile result;
        result.rich = true;
        m_text.reserve(m_in.size() / 2);
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos];
            if (c == '{') {
                flushBytes();
                ++m_pos;
                m_stack.append(m_state);
                m_state.groupStart = true;
            } else if (c == '}') {
                flushBytes();
                endFallback();
                ++m_pos;
                if (m_stack.isEmpty())
                    break; // the document's group closed: what follows is not text
                m_state = m_stack.takeLast();
                if (m_stack.isEmpty()) {
                    m_closed = true;
                    break;
                }
            } else if (c == '\\') {
                controlWord();
            } else if (c == '\r' || c == '\n') {
                ++m_pos; // line ends in the file are not text
            } else {
                ++m_pos;
                m_state.groupStart = false;
                if (m_skipFallback > 0) {
                    --m_skipFallback;
                    continue;
                }
                if (!m_state.skip)
                    m_bytes += c;
            }
        }
        flushBytes();
        endFallback();
        result.brokenSequences = m_broken + replaceUnreadable(m_text);
        result.text = std::move(m_text);
        result.complete = m_closed;
        return result;
    }

private:
    struct State {
        bool skip = false;
        bool groupStart = false; // nothing read yet in this group
        int unicodeSkip = 1;     // \ucN: fallback characters after \uN
    };

    void put(char16_t c)
    {
        if (m_state.skip)
            return;
        flushBytes();
        m_text += QChar(c);
    }

    // Bytes outside \u escapes are the code page's (Shift-JIS).
    void flushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        qsizetype broken = 0;
        m_text += cp932Decode(m_bytes, LineEnds::Keep, &broken);
        m_broken += broken;
        m_bytes.clear();
    }

    // A fallback run still open at a line break, a group end or the file's end
    // was set by a damaged \ucN: the text it swallowed is lost.
    void endFallback()
    {
        if (m_skipFallback <= 0)
            return;
        m_skipFallback = 0;
        if (!m_state.skip)
            ++m_broken;
    }

    // NUL and surrogates without their partner are no text a roll can hold;
    // each becomes U+FFFD and counts as broken, as the plain-text reader has it.
    static qsizetype replaceUnreadable(QString &text)
    {
        qsizetype count = 0;
        const qsizetype n = text.size();
        QChar *data = text.data();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = data[i].unicode();
            if (c == 0) {
                data[i] = QChar::ReplacementCharacter;
                ++count;
            } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(data[i + 1].unicode())) {
                ++i;
            } else if (QChar::isSurrogate(c)) {
                data[i] = QChar::ReplacementCharacter;
                ++count;
            }
        }
        return count;
    }

    void controlWord()
    {
        ++m_pos; // the backslash
        if (m_pos >= m_in.size())
            return;
        const bool atGroupStart = m_state.groupStart;
        m_state.groupStart = false;
        const char c = m_in[m_pos];
        if (!isLetter(c)) {
            ++m_pos;
            switch (c) {
            case '\\':
            case '{':
            case '}':
                if (!consumeFallback() && !m_state.skip)
                    m_bytes += c;
                return;
            case '\'': {
                const int hi = m_pos < m_in.size() ? hexValue(m_in[m_pos]) : -1;
                const int lo = m_pos + 1 < m_in.size() ? hexValue(m_in[m_pos + 1]) : -1;
                if (hi >= 0 && lo >= 0) {
                    m_pos += 2;
                    if (!consumeFallback() && !m_state.skip)
                        m_bytes += char(hi * 16 + lo);
                }
                return;
            }
            case '*':
                if (atGroupStart)
                    m_state.skip = true; // a destination this reader does not know
                return;
            case '~':
                put(0x00a0);
                return;
            case '\r':
            case '\n':
                endFallback();
                put(u'\n');
                return;
            default:
                return; // \- \_ \: and the like carry no text of ours
            }
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos]))
            ++m_pos;
        const QByteArrayView word = m_in.sliced(start, m_pos - start);
        bool hasNumber = false;
        int number = 0;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            hasNumber = true;
            number = std::min(number * 10 + (m_in[m_pos] - '0'), 1 << 20);
            ++m_pos;
        }
        if (negative)
            number = -number;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;

        if (word == "u" && hasNumber) {
            put(char16_t(uint16_t(int16_t(number))));
            m_skipFallback = m_state.unicodeSkip;
        } else if (word == "uc" && hasNumber) {
            m_state.unicodeSkip = std::max(0, number);
        } else if (word == "par" || word == "line" || word == "sect" || word == "page") {
            endFallback();
            put(u'\n');
        } else if (word == "tab") {
            put(u'\t');
        } else if (atGroupStart && isSkippedDestination(word)) {
            m_state.skip = true;
        }
    }

    // A fallback character after \uN is not text of its own.
    bool consumeFallback()
    {
        if (m_skipFallback <= 0)
            return false;
        --m_skipFallback;
        return true;
    }

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    State m_state;
    QList<State> m_stack;
    QString m_text;
    QByteArray m_bytes;
    int m_skipFallback = 0;
    qsizetype m_broken = 0;
    bool m_closed = false;
};

} // namespace

RollFromFile rollFromFileBytes(QByteArrayView bytes)
{
    qsizetype start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        start = 3;
    if (bytes.sliced(start).startsWith("{\\rtf")) {
        // The reader starts inside the document's group.
        RtfReader reader(bytes.sliced(start));
        return reader.read();
    }
    DecodedText decoded = decodeTextBytes(bytes, LineEnds::Fold);
    RollFromFile plain;
    plain.text = std::move(decoded.text);
    plain.brokenSequences = decoded.brokenSequences;
    plain.encoding = decoded.encoding;
    plain.utf8WithoutMark = decoded.utf8WithoutMark;
    return plain;
}

bool startsAsRollRtf(QByteArrayView head)
{
    static_assert(sizeof(kRollRtfSignature) + 3 <= kRollRtfSignatureBytes);
    if (head.startsWith("\xEF\xBB\xBF"))
        head = head.sliced(3);
    return head.startsWith(kRollRtfSignature);
}

RollFileRead readRollFile(const QString &path)
{
    RollFileRead result;
    const FileBytesRead read = readFileBytes(path);
    if (!read.ok) {
        result.error = read.error;
        return result;
    }
    result.roll = rollFromFileBytes(read.bytes);
    result.ok = true;
    return result;
}

QString rollReadWarning(const QString &path, const RollFromFile &read)
{
    if (!read.rich) {
        DecodedText decoded;
        decoded.encoding = read.encoding;
        decoded.brokenSequences = read.brokenSequences;
        decoded.utf8WithoutMark = read.utf8WithoutMark;
        return undecodedPartsWarning(path, decoded);
    }
    QStringList parts;
    if (!read.complete)
        parts << u"\"%1\" は途中で切れていました。"_s.arg(path);
    if (read.brokenSequences > 0)
        parts << u"\"%1\" には壊れていて読めない部分が %2 か所あり、「\uFFFD」で表示しています。"_s.arg(
            path, QString::number(read.brokenSequences));
    if (parts.isEmpty())
        return QString();
    return parts.join(u"\r\n"_s) + u"\r\n読めた部分だけを読み込んでいます。"_s;
}
