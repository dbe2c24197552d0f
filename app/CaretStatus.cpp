#include "app/CaretStatus.h"

#include "reshape/DisplayWidth.h"

using namespace Qt::StringLiterals;

QString caretStatusText(int lineNumber, QStringView textBeforeCaret, qint64 totalUnits)
{
    const int cells = MecsStringWidth(textBeforeCaret);
    return u"%1行 %2文字相当 (半角%3文字目) // トータル %4Bytes"_s.arg(lineNumber)
        .arg(cells / 2)
        .arg(cells)
        .arg(totalUnits);
}
