#include "app/ConfigFile.h"

#include "analysis/TRollAdvice.h"
#include "analysis/TSetChasen.h"
#include "analysis/TWordAnalyze.h"
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "convert/ConversionList.h"
#include "convert/TReplaceSet.h"
#include "convert/TWordChangeList.h"
#include "join/TJoinFile.h"
#include "lists/TFindList.h"
#include "lists/TMsgList.h"
#include "platform/ProfileFile.h"
#include "print/TSetPrinterSetup.h"
#include "reshape/TSetCheck.h"
#include "reshape/TWordDic.h"
#include "send/TRollInput.h"
#include "slides/TSlideWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextBlock>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// One stored key: how to read it into the program (null: written only) and
// how to write it from the program.
struct ConfigKey {
    QString section;
    QString key;
    std::function<void(const ProfileFile &)> load;
    std::function<void(ProfileFile &)> save;
};

class ConfigTable {
public:
    QList<ConfigKey> keys;

    void add(const QString &section, const QString &key,
             std::function<void(const ProfileFile &, const QString &, const QString &)> load,
             std::function<void(ProfileFile &, const QString &, const QString &)> save)
    {
        ConfigKey k{section, key, {}, {}};
        if (load)
            k.load = [=](const ProfileFile &ini) { load(ini, section, key); };
        k.save = [=](ProfileFile &ini) { save(ini, section, key); };
        keys.append(k);
    }

    // A spin box, clamped to its range on loading (setting it runs its handler).
    void spin(const QString &section, const QString &key, QSpinBox *box, int defaultValue)
    {
        add(section, key,
            [=](const ProfileFile &ini, const QString &s, const QString &k) {
                box->setValue(std::clamp(ini.readInt(s, k, defaultValue), box->minimum(), box->maximum()));
            },
            [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeInt(s, k, box->value()); });
    }

    // A check mark of a menu item; `applied` runs after loading (its effect).
    void mark(const QString &section, const QString &key, QAction *action, bool defaultValue,
              std::function<void()> applied = {})
    {
        add(section, key,
            [=](const ProfileFile &ini, const QString &s, const QString &k) {
                action->setChecked(ini.readBool(s, k, defaultValue));
                if (applied)
                    applied();
            },
            [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeBool(s, k, action->isChecked()); });
    }

    // A check box: changing it runs its own handlers.
    void check(const QString &section, const QString &key, QCheckBox *box,
               std::optional<bool> defaultValue)
    {
        add(section, key,
            [=](const ProfileFile &ini, const QString &s, const QString &k) {
                box->setChecked(ini.readBool(s, k, defaultValue.value_or(box->isChecked())));
            },
            [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeBool(s, k, box->isChecked()); });
    }

    // A combo box whose entry with the stored text is selected (no match: unchanged).
    void choice(const QString &section, const QString &key, QComboBox *box, const QString &defaultValue)
    {
        add(section, key,
            [=](const ProfileFile &ini, const QString &s, const QString &k) {
                const int index = box->findText(ini.readString(s, k, defaultValue), Qt::MatchExactly);
                if (index >= 0) {
                    box->setCurrentIndex(index);
                    Q_EMIT box->activated(index);
                }
            },
            [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeString(s, k, box->currentText()); });
    }

    // A line of text; the current text is the default.
    void text(const QString &section, const QString &key, std::function<QString()> get,
              std::function<void(const QString &)> set)
    {
        add(section, key,
            [=](const ProfileFile &ini, const QString &s, const QString &k) { set(ini.readString(s, k, get())); },
            [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeString(s, k, get()); });
    }

    // Outer bounds and visibility of a window. `sizeStored`: Width/Height are
    // written; `sizeRead`: they are also read back.
    void window(const QString &section, QWidget *w, bool sizeStored, bool sizeRead, bool viewDefault)
    {
        const auto frameExtra = [w] { return w->frameGeometry().size() - w->size(); };
        add(section, u"Top"_s,
            [=](const ProfileFile &ini, const QString &s, const QString &k) {
                w->move(w->frameGeometry().left(), ini.readInt(s, k, w->frameGeometry().top()));
            },
            [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeInt(s, k, w->frameGeometry().top()); });
        add(section, u"Left"_s,
            [=](const ProfileFile &ini, const QString &s, const QString &k) {
                w->move(ini.readInt(s, k, w->frameGeometry().left()), w->frameGeometry().top());
            },
            [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeInt(s, k, w->frameGeometry().left()); });
        if (sizeStored) {
            using Load = std::function<void(const ProfileFile &, const QString &, const QString &)>;
            Load loadWidth, loadHeight;
            if (sizeRead) {
                loadWidth = [=](const ProfileFile &ini, const QString &s, const QString &k) {
                    const int outer = ini.readInt(s, k, w->frameGeometry().width());
                    w->resize(std::max(1, outer - frameExtra().width()), w->height());
                };
                loadHeight = [=](const ProfileFile &ini, const QString &s, const QString &k) {
                    const int outer = ini.readInt(s, k, w->frameGeometry().height());
                    w->resize(w->width(), std::max(1, outer - frameExtra().height()));
                };
            }
            add(section, u"Width"_s, loadWidth,
                [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeInt(s, k, w->frameGeometry().width()); });
            add(section, u"Height"_s, loadHeight,
                [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeInt(s, k, w->frameGeometry().height()); });
        }
        add(section, u"View"_s,
            [=](const ProfileFile &ini, const QString &s, const QString &k) { w->setVisible(ini.readBool(s, k, viewDefault)); },
            [=](ProfileFile &ini, const QString &s, const QString &k) { ini.writeBool(s, k, w->isVisible()); });
    }

    // A list stored as a count key and numbered entries ("File_%03d" …). On
    // loading the list is emptied first; a missing count means no entries, and
    // a count beyond the entries the file holds reads only those.
    void list(const QString &section, const QString &countKey, const QString &prefix, int digits,
              std::function<QStringList()> get, std::function<void(const QStringList &)> set)
    {
        const auto entryKey = [=](int i) { return prefix + QString::number(i).rightJustified(digits, u'0'); };
        add(section, countKey,
            [=](const ProfileFile &ini, const QString &s, const QString &k) {
                set({});
                const int count = ini.readListLength(s, k, prefix, digits);
                QStringList entries;
                entries.reserve(count);
                for (int i = 0; i < count; ++i)
                    entries.append(ini.readString(s, entryKey(i), QString()));
                set(entries);
            },
            [=](ProfileFile &ini, const QString &s, const QString &k) {
                const QStringList entries = get();
                ini.writeInt(s, k, int(entries.size()));
                for (int i = 0; i < entries.size(); ++i)
                    ini.writeString(s, entryKey(i), entries.at(i));
            });
    }
};

QStringList listItems(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

void setListItems(QListWidget *list, const QStringList &items)
{
    list->clear();
    list->addItems(items);
}

QStringList memoLines(const QPlainTextEdit *memo)
{
    QStringList out;
    if (memo->document()->isEmpty())
        return out;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        out.append(b.text());
    // A memo ending with a line break has no further line.
    if (out.size() > 1 && out.last().isEmpty())
        out.removeLast();
    return out;
}

// The user conversion list's rows as the list file stores them.
QStringList conversionRowTexts()
{
    QStringList out;
    for (const ConversionRow &row : WordChangeList->rows())
        out.append(conversionRowText(row));
    return out;
}

void setConversionRowTexts(const QStringList &texts)
{
    QList<ConversionRow> rows;
    for (const QString &text : texts)
        rows.append(parseConversionRow(text));
    WordChangeList->setRows(rows);
}

ConfigTable buildTable()
{
    ConfigTable t;
    TForm1 *f = Form1;
    const QString main = u"main"_s;
    t.spin(main, u"CharLine"_s, f->CharPosValue, 10);
    t.choice(main, u"CharFont"_s, f->SelFontName, u"ＭＳ ゴシック"_s);
    t.spin(main, u"FontSize"_s, f->SelFontSize, 10);
    t.mark(main, u"NoUpdateColor"_s, f->NoRecolor, false, [f] { f->NoRecolorClick(); });
    t.mark(main, u"DisableLine"_s, f->NoMojiLine, false, [f] { f->NoMojiLineClick(); });
    t.check(main, u"Comment_Chk1"_s, f->Cmt1, true);
    t.check(main, u"Comment_Chk2"_s, f->Cmt2, false);
    t.check(main, u"Comment_Chk3"_s, f->Cmt3, false);
    t.check(main, u"Comment_Chk4"_s, f->Cmt4, false);
    t.mark(main, u"PlasticComment"_s, f->PlasticComment, false);
    t.mark(main, u"PlasticWordCheck"_s, f->PlasticWordCheck, false);
    t.mark(main, u"WordDictionary"_s, f->WordDictionary1, false);
    t.window(main, f, true, true, true);
    t.mark(main, u"AutoSave"_s, f->AutoSave1, false, [f] { f->AutoSave1Click(); });

    const QString print = u"print"_s;
    t.choice(print, u"PrinterMd"_s, SetPrinterSetup->PrinterName, QString());
    t.choice(print, u"PrintFont"_s, SetPrinterSetup->PrintFont, u"ＭＳ ゴシック"_s);
    t.spin(print, u"FontSize"_s, SetPrinterSetup->PrintFontSize, 10);
    t.spin(print, u"PrintDiv"_s, SetPrinterSetup->PrintDiv, 1);
    t.window(print, SetPrinterSetup, false, false, false);

    const QString check = u"check"_s;
    t.spin(check, u"SetCheckWidth"_s, SetCheck->SetCheckWidth, 640);
    t.spin(check, u"SelFontSize"_s, SetCheck->SelFontSize, 55);
    t.text(check, u"PrintFont"_s, [] { return SetCheck->SelFont->currentText(); },
           [](const QString &v) { SetCheck->SelFont->setCurrentText(v); });
    // The default of this one key is a constant, not the current text.
    t.keys.last().load = [](const ProfileFile &ini) {
        SetCheck->SelFont->setCurrentText(ini.readString(u"check"_s, u"PrintFont"_s, u"ＭＳ ゴシック"_s));
    };
    t.window(check, SetCheck, false, false, false);

    t.window(u"Join"_s, JoinFile, true, true, false);
    t.list(u"Join"_s, u"FileTotal"_s, u"File_"_s, 3, [] { return listItems(JoinFile->FileList); },
           [](const QStringList &v) { setListItems(JoinFile->FileList, v); });
    t.window(u"MsgLst"_s, MsgList, true, true, false);
    t.window(u"FindList"_s, FindList, true, true, false);
    t.window(u"SetChasen"_s, SetChasen, true, true, false);
    t.text(u"SetChasen"_s, u"ChasenPath"_s, [] { return SetChasen->chasen_exe->text(); },
           [](const QString &v) { SetChasen->chasen_exe->setText(v); });
    t.text(u"xdoc2txt"_s, u"Path"_s, [] { return SetChasen->xdoc2txt->text(); },
           [](const QString &v) { SetChasen->xdoc2txt->setText(v); });
    t.window(u"WordAnalyze"_s, WordAnalyze, true, true, false);
    t.check(u"WordAnalyze"_s, u"ActivePat"_s, WordAnalyze->ActivePat, false);
    t.window(u"RollAdvice"_s, RollAdvice, true, true, false);
    // These two windows write their size but keep the one they have.
    t.window(u"ReplaceSet"_s, ReplaceSet, true, false, false);
    t.window(u"RollInput"_s, RollInput, true, false, false);
    for (const QString &key : {u"F4"_s, u"F5"_s, u"F6"_s, u"F7"_s, u"F8"_s, u"F9"_s, u"F10"_s})
        t.text(u"RollInput"_s, key, [key] { return RollInput->functionKeyText(key); },
               [key](const QString &v) { RollInput->setFunctionKeyText(key, v); });
    t.check(u"RollInput"_s, u"SendByEnter"_s, RollInput->SendByEnter, std::nullopt);
    t.list(u"RollInput"_s, u"FileTotal"_s, u"File_"_s, 3, [] { return listItems(RollInput->FileList); },
           [](const QStringList &v) { setListItems(RollInput->FileList, v); });
    t.window(u"WordDic"_s, WordDic, true, true, false);
    // A blank at either end of a dictionary line counts in the word check:
    // the line is written so that it comes back with it.
    t.list(u"WordDic"_s, u"DicTotal"_s, u"Dic_"_s, 5,
           [] {
               QStringList lines = memoLines(WordDic->DicList);
               for (QString &line : lines)
                   line = ProfileFile::quotedWhereNeeded(line);
               return lines;
           },
           [](const QStringList &v) { WordDic->DicList->setPlainText(v.join(u'\n')); });
    t.window(u"WordChangeList"_s, WordChangeList, true, true, false);
    t.list(u"WordChangeList"_s, u"WordTotal"_s, u"Word_"_s, 5, conversionRowTexts, setConversionRowTexts);
    t.window(u"SlideWindow"_s, SlideWindow, true, true, false);
    return t;
}

} // namespace

bool loadConfigFile(const QString &path, QString *error)
{
    const ProfileFile ini(path);
    if (!ini.readError().isEmpty()) {
        // Read as empty it would reset every setting and empty the lists.
        if (error)
            *error = ini.readError();
        return false;
    }
    for (const ConfigKey &key : buildTable().keys) {
        if (key.load)
            key.load(ini);
    }
    return true;
}

bool saveConfigFile(const QString &path, QString *error)
{
    ProfileFile ini(path);
    for (const ConfigKey &key : buildTable().keys)
        key.save(ini);
    return ini.save(error);
}
