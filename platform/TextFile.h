#pragma once
// Text files at the edge of the program: reading bytes with byte-order-mark
// detection (Shift-JIS without one) and replacing a file in one step, so that a
// failed write never leaves a half-written or missing file behind.
#include <QByteArray>
#include <QByteArrayView>
#include "platform/Cp932.h"

#include <QString>

class QIODevice;

enum class TextEncoding { ShiftJis, Utf8, Utf16LE, Utf16BE };

// The encoding's name as the user knows it: "Shift-JIS", "UTF-8", "UTF-16".
QString textEncodingName(TextEncoding encoding);

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::ShiftJis;
    // Byte sequences that could not be decoded (a lone UTF-16 surrogate is one);
    // each shows as one U+FFFD.
    qsizetype brokenSequences = 0;
    // UTF-8 recognised by its bytes, without a byte-order mark: worth telling
    // the user, since the roll is saved as Shift-JIS.
    bool utf8WithoutMark = false;
};

// Decodes file bytes: a UTF-8 (EF BB BF), UTF-16LE (FF FE) or UTF-16BE (FE FF)
// byte-order mark selects that encoding and is dropped. Without a mark, bytes
// that are valid UTF-8 are read as UTF-8 when they hold a character of three or
// four bytes (every kana and kanji) or are not clean Shift-JIS; anything else
// is code page 932. A further byte-order mark, even right after the first, is text
// (U+FEFF). Never fails. Line breaks are left as they are, or with
// LineEnds::Fold each becomes one LF as foldLineEnds has it (for Shift-JIS, which
// can only hold CR and LF, in the same pass as the decoding).
DecodedText decodeTextBytes(QByteArrayView bytes, LineEnds ends = LineEnds::Keep);

// Turns every line break into one LF, in place, in one pass: CR LF, a lone CR,
// the Unicode line and paragraph separators (U+2028, U+2029) and NEL (U+0085).
// A text without any of them is left untouched (and not copied).
void foldLineEnds(QString &text);

// The most bytes a text input may have. Rolls are far smaller; the bound keeps
// a wrong file or a device such as /dev/zero from taking all memory.
inline constexpr qint64 kTextInputLimit = 256 * 1024 * 1024;
// The bound as the messages name it.
inline constexpr char kTextInputLimitName[] = "256 MiB";

struct BoundedRead {
    QByteArray bytes;      // what was read; complete when neither flag is set
    bool tooLarge = false; // more than `limit` bytes: reading stopped there
    bool failed = false;   // the device reported an error (see its errorString)
};

// Reads `device` (open for reading, a file or standard input, whose reads wait
// for data) to its end, but never more than `limit` + 1 bytes: a larger input
// is refused without being held in memory.
BoundedRead readBoundedBytes(QIODevice &device, qint64 limit = kTextInputLimit);

struct FileBytesRead {
    bool ok = false;
    QByteArray bytes; // the whole file when ok
    QString error;    // why it failed, for a message box; empty when ok
};

// Reads the whole file at `path`; a folder, a missing or unreadable file and
// one larger than kTextInputLimit fail with the reason.
FileBytesRead readFileBytes(const QString &path);

struct TextFileRead {
    bool ok = false;
    DecodedText decoded; // valid when ok
    QString error;       // why it failed, for a message box; empty when ok
};

// Reads and decodes the whole file at `path` (see decodeTextBytes); a file
// larger than kTextInputLimit is refused.
TextFileRead readTextFile(const QString &path, LineEnds ends = LineEnds::Keep);

struct FileWriteResult {
    bool ok = false;
    QString error; // why it failed, for a message box; empty when ok
};

// Replaces (or creates) the file at `path` with `bytes`: they go to a temporary
// file beside it, which is then renamed over the target. On any failure (no
// such folder, no permission, disk full) the old file is untouched and no
// temporary file remains.
FileWriteResult writeFileAtomically(const QString &path, QByteArrayView bytes);
