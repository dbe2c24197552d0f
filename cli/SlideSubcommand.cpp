// velmat-tool slide: the roll turned into an IPtalk slide file.
#include "cli/CliSubcommands.h"
#include "cli/CliIo.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"
#include "slides/SlideFile.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

int slideCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Turns the roll into an IPtalk slide file (pages at lines starting with \"`@\")."_s);
    parser.addOption({{u"o"_s, u"output"_s}, u"The slide file to write (Shift-JIS, CR LF)."_s, u"OUT.sl1"_s});
    parser.addOption({u"width"_s, u"Page width."_s, u"N"_s, u"640"_s});
    parser.addOption({u"height"_s, u"Page height."_s, u"N"_s, u"480"_s});
    parser.addOption({u"left"_s, u"Horizontal position of the page."_s, u"N"_s, u"0"_s});
    parser.addOption({u"top"_s, u"Vertical position of the page."_s, u"N"_s, u"0"_s});
    parser.addOption({u"font-size"_s, u"Base font size in points."_s, u"PT"_s, u"10"_s});
    parser.addOption({u"page-color"_s, u"Background colour (0x00BBGGRR decimal or a cl… name)."_s, u"C"_s, u"0"_s});
    parser.addOption({u"font-color"_s, u"Text colour without a colour code."_s, u"C"_s, u"16777215"_s});
    parser.addOption({u"color-codes"_s, u"Apply the colour codes `0…`8 and ,0…,8."_s});
    parser.addOption({u"code-colors"_s, u"Colours of the codes 1…8, comma-separated."_s, u"C1,…,C8"_s});
    if (!parseCommand(parser, u"slide"_s, args))
        return kCliUsage;
    if (parser.value(u"output"_s).isEmpty())
        return usageError(u"slide"_s, u"-o OUT.sl1 is required"_s);

    SlideSettings settings;
    const auto number = [&](const QString &name, int min, int max) {
        return intOption(parser, u"slide"_s, name, min, max);
    };
    const auto width = number(u"width"_s, 0, 100000), height = number(u"height"_s, 0, 100000),
               left = number(u"left"_s, -100000, 100000), top = number(u"top"_s, -100000, 100000),
               size = number(u"font-size"_s, 0, 1000);
    if (!width || !height || !left || !top || !size)
        return kCliUsage;
    settings.width = *width;
    settings.height = *height;
    settings.left = *left;
    settings.top = *top;
    settings.fontSize = *size;
    constexpr int kBad = int(0x80000000);
    settings.pageColour = slideColour(parser.value(u"page-color"_s), kBad);
    settings.fontColour = slideColour(parser.value(u"font-color"_s), kBad);
    if (settings.pageColour == kBad || settings.fontColour == kBad)
        return usageError(u"slide"_s, u"a colour is a decimal 0x00BBGGRR value or clWhite, clBlack, clRed, clYellow, clBlue"_s);
    settings.colourCodes = parser.isSet(u"color-codes"_s);
    if (parser.isSet(u"code-colors"_s)) {
        const QStringList colours = parser.value(u"code-colors"_s).split(u',');
        if (colours.size() != 8)
            return usageError(u"slide"_s, u"--code-colors takes eight colours"_s);
        for (int i = 0; i < 8; ++i) {
            settings.codeColours[i] = slideColour(colours.at(i), kBad);
            if (settings.codeColours[i] == kBad)
                return usageError(u"slide"_s, u"--code-colors: \"%1\" is not a colour"_s.arg(colours.at(i)));
        }
    }
    const auto lines = readRollLines(parser);
    if (!lines)
        return kCliUsage;
    const QStringList records = convertRollToSlide(*lines, settings);
    return writeShiftJisFile(parser.value(u"output"_s), records.join(u"\r\n"_s) + u"\r\n"_s);
}
