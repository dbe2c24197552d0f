#include "settings/SettingsTable.h"

#include "convert/ConversionList.h"
#include "platform/ProfileFile.h"
#include "platform/WindowSender.h"

#include <type_traits>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

using S = StoredSettings;

template <auto... Path>
auto &fieldOf(StoredSettings &s)
{
    return (s .* ... .* Path);
}

template <auto... Path>
const auto &fieldIn(const StoredSettings &s)
{
    return (s .* ... .* Path);
}

// The field at the end of a chain of members: field<&S::main, &MainSettings::font>().
template <auto... Path>
auto field()
{
    using T = std::remove_reference_t<decltype(fieldOf<Path...>(std::declval<StoredSettings &>()))>;
    return SettingField<T>{&fieldOf<Path...>, &fieldIn<Path...>};
}

// No constant default: a missing key leaves the field as it is.
constexpr std::nullopt_t kAsItIs = std::nullopt;

SettingRow number(const QString &section, const QString &key, SettingField<int> f, std::optional<int> byDefault,
                  int min = INT_MIN, int max = INT_MAX)
{
    return {section, key, IntSetting{f, byDefault, min, max}};
}

// One of the numbered items min to max; anything else reads as the default.
SettingRow choice(const QString &section, const QString &key, SettingField<int> f, int byDefault, int min, int max)
{
    return {section, key, IntSetting{f, byDefault, min, max, true}};
}

SettingRow flag(const QString &section, const QString &key, SettingField<bool> f, std::optional<bool> byDefault)
{
    return {section, key, BoolSetting{f, byDefault}};
}

SettingRow text(const QString &section, const QString &key, SettingField<QString> f,
                std::optional<QString> byDefault)
{
    return {section, key, TextSetting{f, std::move(byDefault)}};
}

// Entries stored and read back as they are.
QString verbatim(const QString &text)
{
    return text;
}

SettingRow textList(const QString &section, const QString &countKey, const QString &prefix, int digits,
                    SettingField<QStringList> f, QString (*encode)(const QString &) = verbatim)
{
    return {section, countKey, ListSetting<QString>{f, prefix, digits, encode, verbatim}};
}

enum class Size {
    None,      // the window's own, not stored
    Stored,    // written and read back
    WriteOnly, // written, but the window keeps its own
};

// Top, Left (Width, Height), View of a window.
template <auto... Window>
QList<SettingRow> window(const QString &section, Size size, bool shownByDefault)
{
    QList<SettingRow> rows{number(section, u"Top"_s, field<Window..., &StoredWindow::top>(), kAsItIs),
                           number(section, u"Left"_s, field<Window..., &StoredWindow::left>(), kAsItIs)};
    if (size != Size::None) {
        SettingRow width = number(section, u"Width"_s, field<Window..., &StoredWindow::width>(), kAsItIs);
        SettingRow height = number(section, u"Height"_s, field<Window..., &StoredWindow::height>(), kAsItIs);
        width.read = height.read = size == Size::Stored;
        rows << width << height;
    }
    rows << flag(section, u"View"_s, field<Window..., &StoredWindow::shown>(), shownByDefault);
    return rows;
}

QList<SettingRow> buildTable()
{
    const QString gothic = u"ＭＳ ゴシック"_s;
    QList<SettingRow> t;

    const QString main = u"main"_s;
    using M = MainSettings;
    t << number(main, u"CharLine"_s, field<&S::main, &M::charLine>(), 10, 0, 100)
      << text(main, u"CharFont"_s, field<&S::main, &M::font>(), gothic)
      << number(main, u"FontSize"_s, field<&S::main, &M::fontSize>(), 10, 0, 100)
      << flag(main, u"NoUpdateColor"_s, field<&S::main, &M::noRecolor>(), false)
      << flag(main, u"DisableLine"_s, field<&S::main, &M::noCharLine>(), false)
      << flag(main, u"Comment_Chk1"_s, field<&S::main, &M::comments, &CommentKinds::simple>(), true)
      << flag(main, u"Comment_Chk2"_s, field<&S::main, &M::comments, &CommentKinds::jump>(), false)
      << flag(main, u"Comment_Chk3"_s, field<&S::main, &M::comments, &CommentKinds::summary>(), false)
      << flag(main, u"Comment_Chk4"_s, field<&S::main, &M::comments, &CommentKinds::change>(), false)
      << flag(main, u"PlasticComment"_s, field<&S::main, &M::reshapeComments>(), false)
      << flag(main, u"PlasticWordCheck"_s, field<&S::main, &M::reshapeWordCheck>(), false)
      << flag(main, u"WordDictionary"_s, field<&S::main, &M::wordDictionary>(), false)
      << flag(main, u"PlasticKinsoku"_s, field<&S::main, &M::reshapeKinsoku>(), false)
      << flag(main, u"PlasticPhrase"_s, field<&S::main, &M::reshapePhrases>(), false)
      << flag(main, u"PlasticBalance"_s, field<&S::main, &M::reshapeBalance>(), false)
      << window<&S::main, &M::window>(main, Size::Stored, true)
      << flag(main, u"AutoSave"_s, field<&S::main, &M::autoSave>(), false)
      << choice(main, u"FuriganaGrade"_s, field<&S::main, &M::furiganaGrade>(), 0, 0, 6)
      << flag(main, u"CaptionPreview"_s, field<&S::main, &M::captionPreview>(), false)
      << number(main, u"CaptionPreviewHeight"_s, field<&S::main, &M::captionPreviewHeight>(), 0, 0, 4000)
      << number(main, u"SendSettleMs"_s, field<&S::main, &M::sendSettleMs>(), WindowSender::kDefaultSettleMs,
                10, 2000);

    const QString print = u"print"_s;
    using P = PrintSettings;
    t << text(print, u"PrinterMd"_s, field<&S::print, &P::setup, &PrintSetup::printer>(), QString())
      << text(print, u"PrintFont"_s, field<&S::print, &P::setup, &PrintSetup::font>(), gothic)
      << number(print, u"FontSize"_s, field<&S::print, &P::setup, &PrintSetup::points>(), 10, 0, 100)
      << number(print, u"PrintDiv"_s, field<&S::print, &P::setup, &PrintSetup::columns>(), 1, 1, 5)
      << window<&S::print, &P::window>(print, Size::None, false);

    const QString check = u"check"_s;
    using W = WidthCheckSettings;
    t << number(check, u"SetCheckWidth"_s, field<&S::check, &CheckSettings::width, &W::screenWidth>(), 640, 0, 3000)
      << number(check, u"SelFontSize"_s, field<&S::check, &CheckSettings::width, &W::points>(), 55, 0, 300)
      << text(check, u"PrintFont"_s, field<&S::check, &CheckSettings::width, &W::font>(), gothic)
      << window<&S::check, &CheckSettings::window>(check, Size::None, false);

    t << window<&S::join, &JoinSettings::window>(u"Join"_s, Size::Stored, false)
      << textList(u"Join"_s, u"FileTotal"_s, u"File_"_s, 3, field<&S::join, &JoinSettings::files>())
      << window<&S::talkerList>(u"MsgLst"_s, Size::Stored, false)
      << window<&S::resultList>(u"FindList"_s, Size::Stored, false);

    using F = FilterSettings;
    t << window<&S::filters, &F::window>(u"SetChasen"_s, Size::Stored, false)
      << text(u"SetChasen"_s, u"ChasenPath"_s, field<&S::filters, &F::analyserPath>(), kAsItIs)
      // Files written before MeCab could be chosen read as ChaSen.
      << choice(u"SetChasen"_s, u"Analyser"_s, field<&S::filters, &F::analyser>(), 0, 0, 1)
      << text(u"SetChasen"_s, u"MecabPath"_s, field<&S::filters, &F::mecabPath>(), kAsItIs)
      << text(u"xdoc2txt"_s, u"Path"_s, field<&S::filters, &F::documentFilterPath>(), kAsItIs)
      << window<&S::analysis, &AnalysisSettings::window>(u"WordAnalyze"_s, Size::Stored, false)
      << flag(u"WordAnalyze"_s, u"ActivePat"_s, field<&S::analysis, &AnalysisSettings::inflectedForms>(), false)
      << window<&S::advice>(u"RollAdvice"_s, Size::Stored, false)
      << window<&S::charConversion>(u"ReplaceSet"_s, Size::WriteOnly, false);

    const QString input = u"RollInput"_s;
    using I = InputAssistSettings;
    using K = FunctionKeyTexts;
    t << window<&S::inputAssist, &I::window>(input, Size::WriteOnly, false)
      << text(input, u"F4"_s, field<&S::inputAssist, &I::keys, &K::f4>(), kAsItIs)
      << text(input, u"F5"_s, field<&S::inputAssist, &I::keys, &K::f5>(), kAsItIs)
      << text(input, u"F6"_s, field<&S::inputAssist, &I::keys, &K::f6>(), kAsItIs)
      << text(input, u"F7"_s, field<&S::inputAssist, &I::keys, &K::f7>(), kAsItIs)
      << text(input, u"F8"_s, field<&S::inputAssist, &I::keys, &K::f8>(), kAsItIs)
      << text(input, u"F9"_s, field<&S::inputAssist, &I::keys, &K::f9>(), kAsItIs)
      << text(input, u"F10"_s, field<&S::inputAssist, &I::keys, &K::f10>(), kAsItIs)
      << flag(input, u"SendByEnter"_s, field<&S::inputAssist, &I::sendByEnter>(), kAsItIs)
      << textList(input, u"FileTotal"_s, u"File_"_s, 3, field<&S::inputAssist, &I::files>());

    // A blank at either end of a dictionary line counts in the word check:
    // the line is written so that it comes back with it.
    t << window<&S::dictionary, &DictionarySettings::window>(u"WordDic"_s, Size::Stored, false)
      << textList(u"WordDic"_s, u"DicTotal"_s, u"Dic_"_s, 5, field<&S::dictionary, &DictionarySettings::lines>(),
                  ProfileFile::quotedWhereNeeded);

    // The same section layout as the conversion window's own list files.
    using U = UserConversionSettings;
    t << window<&S::userConversion, &U::window>(u"WordChangeList"_s, Size::Stored, false)
      << SettingRow{u"WordChangeList"_s, u"WordTotal"_s,
                    ListSetting<ConversionRow>{field<&S::userConversion, &U::rows>(), u"Word_"_s, 5,
                                               conversionRowText, parseConversionRow}}
      << window<&S::slideEditor>(u"SlideWindow"_s, Size::Stored, false);
    return t;
}

} // namespace

const QList<SettingRow> &settingsTable()
{
    static const QList<SettingRow> table = buildTable();
    return table;
}
