// Slide records with random and hostile content through everything the slide
// editor does with them: listing, reading, the preview layout and apply. A
// bounded run (cases and seconds from the command line) that prints the cases
// tried and the failures; a failure is a changed line that apply did not
// mean to write, a page or string that changed kind, a preview position out
// of bounds, or one case taking over a second.
#include "slides/SlideRecords.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <climits>
#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QStringList kPieces = {
    u"-"_s, u"r"_s, u"r-"_s, u"2147483647"_s, u"-2147483648"_s, u"99999999999"_s, u"clRed"_s, u"clWhite"_s,
    u"clGreen"_s, u"c"_s, u"%s"_s, u"%1"_s, u"%ld"_s, u"増"_s, u"－"_s, u"　"_s, u" "_s, u"\t"_s,
    u"0"_s, u"1"_s, u"r1"_s, u"r0"_s, u"1e9"_s, u"0x10"_s, u"+5"_s, u"<-"_s, u"`@"_s, QString(QChar(0xD800)),
    QString(QChar(0xFFFD)), QString(QChar(0)), u"\u2028"_s, u"😀"_s};

QString randomField(QRandomGenerator &rng)
{
    QString field;
    const int parts = int(rng.bounded(4));
    for (int i = 0; i < parts; ++i)
        field += kPieces.at(int(rng.bounded(kPieces.size())));
    if (rng.bounded(8) == 0)
        field += QString(int(rng.bounded(2000)), QChar(char16_t(0x3042 + rng.bounded(80))));
    return field;
}

QString randomLine(QRandomGenerator &rng)
{
    QStringList fields;
    const int count = int(rng.bounded(20));
    for (int i = 0; i < count; ++i)
        fields << randomField(rng);
    QString line = fields.join(u',');
    if (rng.bounded(3) == 0)
        line.prepend(u'-');
    if (rng.bounded(2) == 0)
        line += u',';
    return line;
}

int randomInt(QRandomGenerator &rng)
{
    static const int edges[] = {0, 1, -1, INT_MAX, INT_MIN, 640, 480};
    return rng.bounded(2) ? edges[rng.bounded(7)] : int(rng.generate());
}

SlideCell cellOf(int fontSize)
{
    const double size = fontSize <= 0 ? 10 : std::min(fontSize, 1000);
    return {size, size * 1.4};
}

} // namespace

int main(int argc, char **argv)
{
    const int maxCases = argc > 1 ? std::atoi(argv[1]) : 20000;
    const double maxSeconds = argc > 2 ? std::atof(argv[2]) : 30;
    const quint32 seed = argc > 3 ? quint32(std::strtoul(argv[3], nullptr, 10)) : 20261211u;
    QRandomGenerator rng(seed);
    QElapsedTimer total;
    total.start();
    int tried = 0;
    int failures = 0;
    auto fail = [&](const char *what, int index) {
        ++failures;
        if (failures <= 10)
            std::printf("failure in case %d: %s\n", index, what);
    };
    while (tried < maxCases && total.elapsed() < maxSeconds * 1000) {
        const int index = tried++;
        QElapsedTimer one;
        one.start();
        QStringList lines;
        const int count = int(rng.bounded(40));
        for (int i = 0; i < count; ++i)
            lines << randomLine(rng);
        const QList<SlidePageLines> pages = slidePages(lines);
        for (const SlidePageLines &page : pages) {
            readSlidePage(lines.at(page.pageLine));
            for (const SlidePreviewItem &item : layoutSlidePage(lines, page, cellOf))
                if (!std::isfinite(item.x) || !std::isfinite(item.y) || std::abs(item.x) > 3e9
                    || std::abs(item.y) > 3e9)
                    fail("preview position out of bounds", index);
        }
        const int pageIndex = int(rng.bounded(pages.size() + 1)) - (rng.bounded(4) == 0 ? 1 : 0);
        const int stringIndex = int(rng.bounded(6)) - 1;
        SlidePageProps page{randomField(rng), randomInt(rng), randomInt(rng), randomInt(rng), randomInt(rng),
                            randomInt(rng)};
        SlideStringProps string{randomField(rng), {bool(rng.bounded(2)), randomInt(rng)},
                                {bool(rng.bounded(2)), randomInt(rng)}, randomInt(rng), randomInt(rng)};
        QStringList after = lines;
        const bool applied = applySlideEdit(after, pageIndex, page, stringIndex, string);
        const bool pageExists = pageIndex >= 0 && pageIndex < pages.size();
        if (applied != pageExists)
            fail("apply disagrees about the page", index);
        if (after.size() != lines.size())
            fail("apply changed the number of lines", index);
        for (int i = 0; i < lines.size() && i < after.size(); ++i) {
            const bool meant = pageExists
                && (i == pages[pageIndex].pageLine
                    || (stringIndex >= 0 && pages[pageIndex].stringLines.value(stringIndex, -1) == i));
            if (!meant && after[i] != lines[i])
                fail("apply changed a line it was not asked to", index);
            if (after[i].contains(u'\n') || after[i].contains(u'\r'))
                fail("a record spans lines", index);
        }
        if (applied) {
            const QList<SlidePageLines> again = slidePages(after);
            if (again.size() != pages.size() || again[pageIndex].stringLines != pages[pageIndex].stringLines)
                fail("a written record changed kind", index);
            const SlidePageProps read = readSlidePage(after[pages[pageIndex].pageLine]);
            if (read.colour != page.colour || read.left != page.left || read.top != page.top
                || read.width != page.width || read.height != page.height)
                fail("page numbers do not read back", index);
            if (stringIndex >= 0 && stringIndex < pages[pageIndex].stringLines.size()) {
                const SlideStringProps back = readSlideString(after[pages[pageIndex].stringLines[stringIndex]]);
                if (back.left != string.left || back.top != string.top || back.fontSize != string.fontSize
                    || back.colour != string.colour)
                    fail("string numbers do not read back", index);
            }
        }
        if (one.elapsed() > 1000)
            fail("one case took over a second", index);
    }
    std::printf("slide records fuzz (seed %u): %d cases tried in %.1f s, %d failures\n", seed, tried,
                double(total.elapsed()) / 1000, failures);
    return failures == 0 ? 0 : 1;
}
