#pragma once
// Text files at the edge of the program: reading bytes with byte-order-mark
// detection (Shift-JIS without one) and replacing a file in one step, so that a
// failed write never leaves a half-written or missing file behind.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class TextEncoding { ShiftJis, Utf8, Utf16LE, Utf16BE };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::ShiftJis;
    // Byte sequences that could not be decoded; each shows as one U+FFFD.
    qsizetype brokenSequences = 0;
};

// Decodes file bytes: a UTF-8 (EF BB BF), UTF-16LE (FF FE) or UTF-16BE (FE FF)
// byte-order mark selects that encoding and is dropped; anything else is code
// page 932. Never fails; line breaks are left as they are.
DecodedText decodeTextBytes(QByteArrayView bytes);

struct TextFileRead {
    bool ok = false;
    DecodedText decoded; // valid when ok
    QString error;       // why it failed, for a message box; empty when ok
};

// Reads and decodes the whole file at `path` (see decodeTextBytes).
TextFileRead readTextFile(const QString &path);

struct FileWriteResult {
    bool ok = false;
    QString error; // why it failed, for a message box; empty when ok
};

// Replaces (or creates) the file at `path` with `bytes`: they go to a temporary
// file beside it, which is then renamed over the target. On any failure (no
// such folder, no permission, disk full) the old file is untouched and no
// temporary file remains.
FileWriteResult writeFileAtomically(const QString &path, QByteArrayView bytes);
