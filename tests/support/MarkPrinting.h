#pragma once
// Lists of roll marks in QCOMPARE: data columns and readable failures.
#include "roll/RollMarks.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<RollMark>)

namespace QTest {
template <>
inline char *toString(const QList<RollMark> &marks)
{
    QByteArray out;
    for (const RollMark &m : marks)
        out += '(' + QByteArray::number(m.start) + ',' + QByteArray::number(m.length) + ',' +
               QByteArray::number(int(m.kind)) + ')';
    return qstrdup(out.constData());
}
} // namespace QTest
