// velmat-tool convert: the character-kind conversion over the whole roll.
#include "cli/CliSubcommands.h"
#include "cli/CliIo.h"

#include "convert/CharConversion.h"
#include "convert/ConversionList.h"
#include "platform/ProfileFile.h"

#include <QTextStream>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The value of a choice option as an index into `values`; 0 ("no") when the
// option is left out. Nothing (after the usage error) for any other value.
std::optional<int> choiceOption(const QCommandLineParser &parser, const QString &name, const QStringList &values)
{
    if (!parser.isSet(name))
        return 0;
    const qsizetype index = values.indexOf(parser.value(name));
    if (index < 0) {
        usageError(u"convert"_s, u"--%1 takes %2"_s.arg(name, values.join(u'|')));
        return std::nullopt;
    }
    return int(index);
}

// Every class's pairs in each direction, in the order they are applied;
// pairs that change nothing or whose source an earlier pair has taken are left out.
void printTables()
{
    const std::pair<CharClass, const char *> classes[] = {
        {CharClass::Alphabet, "alpha"}, {CharClass::Space, "space"},   {CharClass::Digits, "num"},
        {CharClass::Symbols, "kigou"},  {CharClass::Katakana, "kata"}, {CharClass::Units, "unit"},
    };
    QTextStream out(stdout);
    const auto show = [](const QString &s) {
        return s == u" "_s ? u"U+0020"_s : s == u"\u3000"_s ? u"U+3000"_s : s;
    };
    for (const auto &[cls, name] : classes) {
        for (const bool wide : {true, false}) {
            const char *way = cls == CharClass::Units ? (wide ? "symbol" : "kana") : (wide ? "full" : "half");
            out << "--" << name << '=' << way << ":\n";
            QStringList seen;
            for (const auto &[source, target] : orderedPairs(cls, wide)) {
                if (source == target || seen.contains(source))
                    continue;
                seen.append(source);
                out << "  " << show(source) << '\t' << show(target) << '\n';
            }
        }
    }
}

} // namespace

int convertCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Converts character kinds as the editor's conversion window does, in the order alpha, space, num, "
        "kigou, kata, unit, user. A class left out (or =no) is not converted."_s);
    const QStringList widths{u"no"_s, u"half"_s, u"full"_s};
    const QStringList units{u"no"_s, u"symbol"_s, u"kana"_s};
    const QStringList users{u"no"_s, u"fwd"_s, u"rev"_s};
    const QString widthHelp = u"Convert to half or full width."_s;
    parser.addOption({u"alpha"_s, u"Letters: "_s + widthHelp, u"no|half|full"_s});
    parser.addOption({u"space"_s, u"Spaces: "_s + widthHelp, u"no|half|full"_s});
    parser.addOption({u"num"_s, u"Digits: "_s + widthHelp, u"no|half|full"_s});
    parser.addOption({u"kigou"_s, u"Symbols (and I–X as Roman numerals): "_s + widthHelp, u"no|half|full"_s});
    parser.addOption({u"kata"_s, u"Katakana: "_s + widthHelp, u"no|half|full"_s});
    parser.addOption({u"unit"_s, u"Unit words to symbols (㌔) or symbols to words."_s, u"no|symbol|kana"_s});
    parser.addOption({u"user"_s, u"The user list forwards (before to after) or reversed."_s, u"no|fwd|rev"_s});
    parser.addOption({u"user-list"_s, u"User conversion list file (INI, section WordChangeList)."_s, u"FILE"_s});
    parser.addOption({u"show-tables"_s, u"Print the pairs of every class and direction, in the order applied."_s});
    if (!parseCommand(parser, u"convert"_s, args))
        return kCliUsage;
    if (parser.isSet(u"show-tables"_s)) {
        printTables();
        return kCliOk;
    }

    std::optional<int> way[5];
    const QString widthNames[5] = {u"alpha"_s, u"space"_s, u"num"_s, u"kigou"_s, u"kata"_s};
    for (int i = 0; i < 5; ++i) {
        if (!(way[i] = choiceOption(parser, widthNames[i], widths)))
            return kCliUsage;
    }
    const std::optional<int> unit = choiceOption(parser, u"unit"_s, units);
    const std::optional<int> user = choiceOption(parser, u"user"_s, users);
    if (!unit || !user)
        return kCliUsage;
    ConversionChoice choice;
    WidthWay *const widthSlots[5] = {&choice.alpha, &choice.space, &choice.num, &choice.kigou, &choice.kata};
    for (int i = 0; i < 5; ++i)
        *widthSlots[i] = WidthWay(*way[i]);
    choice.unit = UnitWay(*unit);
    choice.user = UserWay(*user);

    QList<ConversionRow> rows;
    if (choice.user != UserWay::None && !parser.isSet(u"user-list"_s))
        return usageError(u"convert"_s, u"--user needs --user-list FILE"_s);
    if (parser.isSet(u"user-list"_s)) {
        const ProfileFile list(parser.value(u"user-list"_s));
        if (list.tooLarge()) {
            // Refused unread: a list that size is no list (or /dev/zero).
            QTextStream(stderr) << "velmat-tool: \"" << parser.value(u"user-list"_s) << "\" is larger than "
                                << ProfileFile::kMaxFileBytes / (1024 * 1024)
                                << " MiB, the most a conversion list may have\n";
            return kCliUsage;
        }
        if (!list.exists()) {
            QTextStream(stderr) << "velmat-tool: cannot read \"" << parser.value(u"user-list"_s) << "\"\n";
            return kCliUsage;
        }
        rows = readConversionList(list);
    }
    const std::optional<QString> roll = readRollText(parser);
    if (!roll)
        return kCliUsage;
    writeOutput(convertText(*roll, choice, rows), parser.isSet(u"sjis"_s));
    return kCliOk;
}
