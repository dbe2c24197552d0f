#include "convert/ConversionList.h"

#include "platform/ProfileFile.h"

using namespace Qt::StringLiterals;

namespace {

const QString kSection = u"WordChangeList"_s;

QString entryKey(int i)
{
    return u"Word_"_s + QString::number(i).rightJustified(5, u'0');
}

} // namespace

QString conversionRowText(const ConversionRow &row)
{
    return ProfileFile::quotedWhereNeeded(row.first + u'=' + row.second);
}

ConversionRow parseConversionRow(const QString &text)
{
    const qsizetype eq = text.indexOf(u'=');
    return eq < 0 ? ConversionRow{text, QString()} : ConversionRow{text.left(eq), text.mid(eq + 1)};
}

QList<ConversionRow> readConversionList(const ProfileFile &ini)
{
    const int total = ini.readListLength(kSection, u"WordTotal"_s, u"Word_"_s, 5);
    QList<ConversionRow> rows;
    for (int i = 0; i < total; ++i)
        rows.append(parseConversionRow(ini.readString(kSection, entryKey(i), QString())));
    return rows;
}

bool hasConversionList(const ProfileFile &ini)
{
    const QString missing(1, QChar(0x1));
    return ini.readString(kSection, u"WordTotal"_s, missing) != missing;
}

void writeConversionList(ProfileFile &ini, const QList<ConversionRow> &rows)
{
    ini.writeInt(kSection, u"WordTotal"_s, int(rows.size()));
    for (int i = 0; i < rows.size(); ++i)
        ini.writeString(kSection, entryKey(i), conversionRowText(rows.at(i)));
}
