#pragma once
// The status text that tells where the caret stands and how large the roll is.
#include <QString>
#include <QStringView>

// "<line>行 <w div 2>文字相当 (半角<w>文字目) // トータル <total>Bytes", where
// `lineNumber` is one-based and w is the display width (ambiguous characters
// wide) of `textBeforeCaret`, the caret line's text left of the caret.
QString caretStatusText(int lineNumber, QStringView textBeforeCaret, qint64 totalUnits);

// Size of the roll as the status text gives it: UTF-16 units with every line
// break counted as two (CR LF, as saved). Takes the editor document's
// characterCount() (text plus one unit per block) and blockCount(), both known
// without walking the text.
inline qint64 rollTotalUnits(int characterCount, int blockCount)
{
    return qint64(characterCount) - 1 + (qint64(blockCount) - 1);
}
