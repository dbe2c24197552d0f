// The settings file against its table, without windows.
#include "platform/Cp932.h"
#include "platform/ProfileFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTable.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

template <typename... F>
struct Overloaded : F... {
    using F::operator()...;
};

const SettingRow *findRow(const QString &section, const QString &key)
{
    for (const SettingRow &row : settingsTable()) {
        if (row.section == section && row.key == key)
            return &row;
    }
    return nullptr;
}

// A row's field as a value that QCOMPARE shows.
QVariant fieldValue(const SettingRow &row, const StoredSettings &s)
{
    return std::visit(Overloaded{[&](const ListSetting<ConversionRow> &list) {
                                     QStringList texts;
                                     for (const ConversionRow &r : list.field.in(s))
                                         texts << r.first + u"=>"_s + r.second;
                                     return QVariant(texts);
                                 },
                                 [&](const auto &setting) { return QVariant::fromValue(setting.field.in(s)); }},
                      row.value);
}

// Fills row `index` with a value that is not its default.
void setOtherValue(const SettingRow &row, int index, StoredSettings &s)
{
    std::visit(Overloaded{[&](const IntSetting &r) {
                              if (!r.defaultValue) {
                                  r.field.of(s) = -(100 + 7 * index); // window bounds may be negative
                                  return;
                              }
                              const qint64 span = qint64(r.max) - r.min + 1;
                              r.field.of(s) = int(r.min + (*r.defaultValue - r.min + 1 + index % (span - 1)) % span);
                          },
                          [&](const BoolSetting &r) { r.field.of(s) = !r.defaultValue.value_or(false); },
                          [&](const TextSetting &r) { r.field.of(s) = u"値 %1 ＭＳ"_s.arg(index); },
                          [&](const ListSetting<QString> &r) {
                              r.field.of(s) = {u"第%1部.txt"_s.arg(index), QString(), u"c d"_s};
                          },
                          [&](const ListSetting<ConversionRow> &r) {
                              r.field.of(s) = {{u"ｷﾛ"_s, u"㌔"_s}, {u" a"_s, u"b "_s}, {QString(), u"x=y"_s}};
                          }},
               row.value);
}

StoredSettings otherThanDefaults()
{
    StoredSettings s;
    int index = 0;
    for (const SettingRow &row : settingsTable())
        setOtherValue(row, index++, s);
    return s;
}

bool hasConstantDefault(const SettingRow &row)
{
    return std::visit(Overloaded{[](const IntSetting &r) { return r.defaultValue.has_value(); },
                                 [](const BoolSetting &r) { return r.defaultValue.has_value(); },
                                 [](const TextSetting &r) { return r.defaultValue.has_value(); },
                                 [](const auto &) { return true; }},
                      row.value);
}

QVariant defaultValue(const SettingRow &row)
{
    return std::visit(Overloaded{[](const IntSetting &r) { return QVariant(*r.defaultValue); },
                                 [](const BoolSetting &r) { return QVariant(*r.defaultValue); },
                                 [](const TextSetting &r) { return QVariant(*r.defaultValue); },
                                 [](const auto &) { return QVariant(QStringList()); }},
                      row.value);
}

QString rowName(const SettingRow &row)
{
    return row.section + u'/' + row.key;
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyRowHasItsOwnKeyAndField();
    void everyRowRoundTrips();
    void emptyFileGivesDefaultsAndKeepsTheRest();
    void readsValue_data();
    void readsValue();
    void textsTheReaderWouldChangeComeBack();
    void newFileHasSectionsInTableOrder();

private:
    QString newPath(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

// Two rows on one key, or one field filled by two keys, would lose a setting.
void TestSettingsFile::everyRowHasItsOwnKeyAndField()
{
    QSet<QString> keys;
    QSet<const void *> fields;
    StoredSettings s;
    for (const SettingRow &row : settingsTable()) {
        QVERIFY2(!keys.contains(rowName(row).toLower()), qPrintable(rowName(row)));
        keys.insert(rowName(row).toLower());
        const void *field = std::visit([&](const auto &setting) -> const void * { return &setting.field.of(s); },
                                       row.value);
        QVERIFY2(!fields.contains(field), qPrintable(rowName(row)));
        fields.insert(field);
    }
}

void TestSettingsFile::everyRowRoundTrips()
{
    const StoredSettings written = otherThanDefaults();
    const QString path = newPath(u"round.ini"_s);
    ProfileFile out(path);
    saveSettings(written, out);
    QVERIFY(out.save());

    const ProfileFile in(path);
    const StoredSettings base;
    const StoredSettings loaded = loadSettings(in, base);
    StoredSettings expected = written;
    for (const SettingRow &row : settingsTable()) {
        if (row.read) {
            QCOMPARE(fieldValue(row, loaded), fieldValue(row, written));
            continue;
        }
        // Written, but reading keeps the value the window has.
        QCOMPARE(QVariant(in.readInt(row.section, row.key, INT_MIN)), fieldValue(row, written));
        QCOMPARE(fieldValue(row, loaded), fieldValue(row, base));
        std::visit([&](const auto &setting) { setting.field.of(expected) = setting.field.in(base); }, row.value);
    }
    QVERIFY(loaded == expected);
}

// A missing file reads as empty: constants return, lists empty, and what has
// no constant default stays as the windows have it.
void TestSettingsFile::emptyFileGivesDefaultsAndKeepsTheRest()
{
    const StoredSettings current = otherThanDefaults();
    const StoredSettings loaded = loadSettings(ProfileFile(newPath(u"none.ini"_s)), current);
    for (const SettingRow &row : settingsTable()) {
        const QVariant expected = row.read && hasConstantDefault(row) ? defaultValue(row) : fieldValue(row, current);
        QVERIFY2(fieldValue(row, loaded) == expected, qPrintable(rowName(row)));
    }
}

void TestSettingsFile::readsValue_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    const QString gothic = u"ＭＳ ゴシック"_s;
    const auto row = [](const char *name, const QString &ini, const QString &section, const QString &key,
                        const QVariant &value) { QTest::newRow(name) << ini << section << key << value; };
    // Defaults of a first start.
    row("line column", QString(), u"main"_s, u"CharLine"_s, 10);
    row("editor font", QString(), u"main"_s, u"CharFont"_s, gothic);
    row("editor size", QString(), u"main"_s, u"FontSize"_s, 10);
    row("simple comments", QString(), u"main"_s, u"Comment_Chk1"_s, true);
    row("change comments", QString(), u"main"_s, u"Comment_Chk4"_s, false);
    row("main window shown", QString(), u"main"_s, u"View"_s, true);
    row("tool window hidden", QString(), u"Join"_s, u"View"_s, false);
    row("autosave", QString(), u"main"_s, u"AutoSave"_s, false);
    row("caption preview hidden", QString(), u"main"_s, u"CaptionPreview"_s, false);
    row("caption preview never sized", QString(), u"main"_s, u"CaptionPreviewHeight"_s, 0);
    row("caption preview height kept", u"[main]\r\nCaptionPreviewHeight=312\r\n"_s, u"main"_s,
        u"CaptionPreviewHeight"_s, 312);
    row("caption preview height below 0", u"[main]\r\nCaptionPreviewHeight=-40\r\n"_s, u"main"_s,
        u"CaptionPreviewHeight"_s, 0);
    // The line-break options are off in a settings file written before them.
    row("kinsoku off", QString(), u"main"_s, u"PlasticKinsoku"_s, false);
    row("phrases off", QString(), u"main"_s, u"PlasticPhrase"_s, false);
    row("balance off", QString(), u"main"_s, u"PlasticBalance"_s, false);
    row("kinsoku on", u"[main]\r\nPlasticKinsoku=1\r\n"_s, u"main"_s, u"PlasticKinsoku"_s, true);
    row("printer", QString(), u"print"_s, u"PrinterMd"_s, QString());
    row("print font", QString(), u"print"_s, u"PrintFont"_s, gothic);
    row("print size", QString(), u"print"_s, u"FontSize"_s, 10);
    row("columns", QString(), u"print"_s, u"PrintDiv"_s, 1);
    row("screen width", QString(), u"check"_s, u"SetCheckWidth"_s, 640);
    row("check size", QString(), u"check"_s, u"SelFontSize"_s, 55);
    row("check font", QString(), u"check"_s, u"PrintFont"_s, gothic);
    row("window bounds as they are", u"[Join]\r\nLeft=5\r\n"_s, u"Join"_s, u"Top"_s, 77);
    row("path as it is", QString(), u"SetChasen"_s, u"ChasenPath"_s, u"/keep"_s);
    // A file from before the analyser could be chosen runs ChaSen.
    row("analyser of an older file: ChaSen", QString(), u"SetChasen"_s, u"Analyser"_s, 0);
    row("MeCab chosen", u"[SetChasen]\r\nAnalyser=1\r\n"_s, u"SetChasen"_s, u"Analyser"_s, 1);
    row("unknown analyser: ChaSen", u"[SetChasen]\r\nAnalyser=2\r\n"_s, u"SetChasen"_s, u"Analyser"_s, 0);
    row("send by Enter as it is", QString(), u"RollInput"_s, u"SendByEnter"_s, true);
    // Out of range: clamped as the controls clamp.
    row("line column 500", u"[main]\r\nCharLine=500\r\n"_s, u"main"_s, u"CharLine"_s, 100);
    row("line column -3", u"[main]\r\nCharLine=-3\r\n"_s, u"main"_s, u"CharLine"_s, 0);
    row("columns 0", u"[print]\r\nPrintDiv=0\r\n"_s, u"print"_s, u"PrintDiv"_s, 1);
    row("columns 9", u"[print]\r\nPrintDiv=9\r\n"_s, u"print"_s, u"PrintDiv"_s, 5);
    row("screen width 5000", u"[check]\r\nSetCheckWidth=5000\r\n"_s, u"check"_s, u"SetCheckWidth"_s, 3000);
    row("check size 301", u"[check]\r\nSelFontSize=301\r\n"_s, u"check"_s, u"SelFontSize"_s, 300);
    row("send settle time", QString(), u"main"_s, u"SendSettleMs"_s, 100);
    row("send settle time 5", u"[main]\r\nSendSettleMs=5\r\n"_s, u"main"_s, u"SendSettleMs"_s, 10);
    row("send settle time 9000", u"[main]\r\nSendSettleMs=9000\r\n"_s, u"main"_s, u"SendSettleMs"_s, 2000);
    row("window bounds not clamped", u"[Join]\r\nTop=-32000\r\n"_s, u"Join"_s, u"Top"_s, -32000);
    // A school year has no nearest one: out of range, furigana goes on every word.
    row("furigana for every word", QString(), u"main"_s, u"FuriganaGrade"_s, 0);
    row("furigana year 6", u"[main]\r\nFuriganaGrade=6\r\n"_s, u"main"_s, u"FuriganaGrade"_s, 6);
    row("furigana year 7", u"[main]\r\nFuriganaGrade=7\r\n"_s, u"main"_s, u"FuriganaGrade"_s, 0);
    row("furigana year -1", u"[main]\r\nFuriganaGrade=-1\r\n"_s, u"main"_s, u"FuriganaGrade"_s, 0);
    row("the rest read past a bad year", u"[main]\r\nFuriganaGrade=99\r\nCharLine=7\r\n"_s, u"main"_s,
        u"CharLine"_s, 7);
    // Spellings the reader takes.
    row("hex", u"[check]\r\nSetCheckWidth=0x280\r\n"_s, u"check"_s, u"SetCheckWidth"_s, 640);
    row("names ignore case", u"[MAIN]\r\ncharline=7\r\n"_s, u"main"_s, u"CharLine"_s, 7);
    row("any number but 0 is true", u"[main]\r\nNoUpdateColor=-1\r\n"_s, u"main"_s, u"NoUpdateColor"_s, true);
    row("blanks dropped", u"[RollInput]\r\nF4=  はい\r\n"_s, u"RollInput"_s, u"F4"_s, u"はい"_s);
    // Garbled values: the default.
    row("word for a number", u"[check]\r\nSetCheckWidth=wide\r\n"_s, u"check"_s, u"SetCheckWidth"_s, 640);
    row("number with a tail", u"[main]\r\nCharLine=12abc\r\n"_s, u"main"_s, u"CharLine"_s, 10);
    row("bad hex", u"[print]\r\nPrintDiv=0xZZ\r\n"_s, u"print"_s, u"PrintDiv"_s, 1);
    row("too big for an int", u"[main]\r\nFontSize=99999999999\r\n"_s, u"main"_s, u"FontSize"_s, 10);
    row("word for a flag", u"[main]\r\nComment_Chk1=no\r\n"_s, u"main"_s, u"Comment_Chk1"_s, true);
    row("garbled bounds as they are", u"[Join]\r\nTop=high\r\n"_s, u"Join"_s, u"Top"_s, 77);
    row("garbled flag as it is", u"[RollInput]\r\nSendByEnter=yes\r\n"_s, u"RollInput"_s, u"SendByEnter"_s, true);
}

void TestSettingsFile::readsValue()
{
    QFETCH(QString, ini);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    const QString path = newPath(u"read.ini"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(cp932Encode(ini));
    file.close();
    StoredSettings current;
    current.join.window.top = 77;
    current.filters.analyserPath = u"/keep"_s;
    current.filters.analyser = 1;
    current.inputAssist.sendByEnter = true;
    current.main.furiganaGrade = 4;

    const SettingRow *row = findRow(section, key);
    QVERIFY(row);
    QCOMPARE(fieldValue(*row, loadSettings(ProfileFile(path), current)), value);
}

// Blanks at the ends of a custom word count in the word check, and a
// conversion row may begin or end with one: they come back as they were.
void TestSettingsFile::textsTheReaderWouldChangeComeBack()
{
    StoredSettings written;
    written.dictionary.lines = {u" 前"_s, u"ロール "_s, u"\"引用\""_s, u"'単'"_s, u"\t語\t"_s, u"普通"_s};
    written.userConversion.rows = {{u" a"_s, u"b "_s}, {u"\"q"_s, u"q\""_s}};
    const QString path = newPath(u"blanks.ini"_s);
    ProfileFile out(path);
    saveSettings(written, out);
    QVERIFY(out.save());
    QVERIFY(out.text().contains(u"Dic_00001=\"ロール \"\r\n"_s));
    QVERIFY(out.text().contains(u"Dic_00005=普通\r\n"_s));

    const StoredSettings loaded = loadSettings(ProfileFile(path));
    QCOMPARE(loaded.dictionary.lines, written.dictionary.lines);
    QCOMPARE(loaded.userConversion.rows, written.userConversion.rows);
}

// Other programs read the sections in this order too.
void TestSettingsFile::newFileHasSectionsInTableOrder()
{
    ProfileFile ini(newPath(u"new.ini"_s));
    saveSettings(otherThanDefaults(), ini);
    QStringList sections;
    for (const QString &line : ini.text().split(u"\r\n"_s)) {
        if (line.startsWith(u'['))
            sections << line;
    }
    QCOMPARE(sections, (QStringList{u"[main]"_s, u"[print]"_s, u"[check]"_s, u"[Join]"_s, u"[MsgLst]"_s,
                                    u"[FindList]"_s, u"[SetChasen]"_s, u"[xdoc2txt]"_s, u"[WordAnalyze]"_s,
                                    u"[RollAdvice]"_s, u"[ReplaceSet]"_s, u"[RollInput]"_s, u"[WordDic]"_s,
                                    u"[WordChangeList]"_s, u"[SlideWindow]"_s}));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
