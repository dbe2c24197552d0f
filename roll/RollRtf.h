#pragma once
// The roll as rich text, the form of the suspend file and the autosave
// copies: the editor's lines with their colours (grey band behind comment
// lines, light blue behind ideographic spaces). Reading takes such a file back
// to the same lines and accepts a plain-text roll in its place.
#include "platform/TextFile.h"
#include "roll/RollConventions.h"

#include <QByteArray>
#include <QStringList>

// `lines` as an RTF document (pure ASCII: other characters as \uN escapes).
QByteArray rollToRtf(const QStringList &lines, const CommentKinds &kinds);

struct RollFromFile {
    QString text;          // lines separated by '\n'
    bool rich = false;     // the bytes were rich text
    bool complete = true;  // false: rich text that ends before its last group closes
    // Places that could not be read, each shown as one U+FFFD: undecodable
    // bytes, and in rich text also NUL, a lone surrogate, and a \ucN whose
    // fallback run would swallow a line break, a group end or the file's end
    // (the text it dropped is lost).
    qsizetype brokenSequences = 0;
    // Plain text only: how it was decoded (see decodeTextBytes).
    TextEncoding encoding = TextEncoding::ShiftJis;
    bool utf8WithoutMark = false;

    // Read whole: nothing cut off or unreadable.
    bool intact() const { return complete && brokenSequences == 0; }
};

// The roll in `bytes`: rich text when they start with "{\rtf", otherwise
// plain text (BOM, else UTF-8 or Shift-JIS), line ends folded to '\n'.
RollFromFile rollFromFileBytes(QByteArrayView bytes);

// True when `head`, the first bytes of a file, begin as rollToRtf writes: a
// copy of a roll, whatever the file's name.
bool startsAsRollRtf(QByteArrayView head);
// Enough bytes of a file's start for startsAsRollRtf.
inline constexpr qsizetype kRollRtfSignatureBytes = 128;

struct RollFileRead {
    bool ok = false;
    RollFromFile roll; // valid when ok
    QString error;     // why it failed, for a message box; empty when ok
};

// Reads the file at `path` (bounded as readTextFile is) as a roll: a rich-text
// copy or plain text.
RollFileRead readRollFile(const QString &path);

// The note for a roll read with parts missing or unreadable, or recognised as
// UTF-8 without a mark; empty when it was read whole as Shift-JIS or with a mark.
QString rollReadWarning(const QString &path, const RollFromFile &read);
