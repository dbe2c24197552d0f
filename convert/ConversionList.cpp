#include "convert/ConversionList.h"

#include "platform/ProfileFile.h"

using namespace Qt::StringLiterals;

namespace {

const QString kSection = u"WordChangeList"_s;

QString entryKey(int i)
{
    return u"Word_"_s + QString::number(i).rightJustified(5, u'0');
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QString conversionRowText(const ConversionRow &row)
{
    const QString text = row.first + u'=' + row.second;
    const bool blankEnds = isBlank(text.front()) || isBlank(text.back());
    const bool quoted = text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'')
        && text.back() == text.front();
    return blankEnds || quoted ? u'"' + text + u'"' : text;
}

ConversionRow parseConversionRow(const QString &text)
{
    const qsizetype eq = text.indexOf(u'=');
    return eq < 0 ? ConversionRow{text, QString()} : ConversionRow{text.left(eq), text.mid(eq + 1)};
}

QList<ConversionRow> readConversionList(const ProfileFile &ini)
{
    const int total = ini.readInt(kSection, u"WordTotal"_s, 0);
    QList<ConversionRow> rows;
    for (int i = 0; i < total; ++i)
        rows.append(parseConversionRow(ini.readString(kSection, entryKey(i), QString())));
    return rows;
}

void writeConversionList(ProfileFile &ini, const QList<ConversionRow> &rows)
{
    ini.writeInt(kSection, u"WordTotal"_s, int(rows.size()));
    for (int i = 0; i < rows.size(); ++i)
        ini.writeString(kSection, entryKey(i), conversionRowText(rows.at(i)));
}
