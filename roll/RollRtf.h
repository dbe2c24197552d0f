#pragma once
// The roll as rich text, the form of the suspend file and the autosave
// copies: the editor's lines with their colours (grey band behind comment
// lines, light blue behind ideographic spaces). Reading takes such a file back
// to the same lines and accepts a plain-text roll in its place.
#include "roll/RollConventions.h"

#include <QByteArray>
#include <QStringList>

// `lines` as an RTF document (pure ASCII: other characters as \uN escapes).
QByteArray rollToRtf(const QStringList &lines, const CommentKinds &kinds);

struct RollFromFile {
    QString text;          // lines separated by '\n'
    bool rich = false;     // the bytes were rich text
    bool complete = true;  // false: rich text that ends before its last group closes
};

// The roll in `bytes`: rich text when they start with "{\rtf", otherwise
// plain text (BOM, else Shift-JIS), line ends folded to '\n'.
RollFromFile rollFromFileBytes(QByteArrayView bytes);
