#pragma once
// Every setting the settings file keeps, as plain values: what the windows
// give when the settings are saved and take when they are loaded.
#include "convert/CharConversion.h"
#include "print/PrintSetup.h"
#include "reshape/WidthCheckSettings.h"
#include "roll/RollConventions.h"

#include <QList>
#include <QString>
#include <QStringList>

// A window's outer bounds in screen pixels and whether it shows.
struct StoredWindow {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    bool shown = false;
    bool operator==(const StoredWindow &) const = default;
};

// The main window: the editor's view and the marks of the settings menu.
struct MainSettings {
    int charLine = 0; // column of the character-limit line
    QString font;     // editor font name
    int fontSize = 0; // points
    bool noRecolor = false;
    bool noCharLine = false; // the character-limit line hidden
    CommentKinds comments;
    bool reshapeComments = false;
    bool reshapeWordCheck = false;
    bool wordDictionary = false; // a mark only: nothing else follows from it
    bool reshapeKinsoku = false; // breaks only where the line-break rules allow
    bool reshapePhrases = false; // breaks between phrases
    bool reshapeBalance = false; // the lines of a reshaped line nearly equal
    StoredWindow window;
    bool autoSave = false;
    int furiganaGrade = 0; // the school year automatic furigana is for; 0: none
    bool captionPreview = false; // the preview pane shows
    int captionPreviewHeight = 0; // the pane's height in pixels; 0: never sized, a readable one is worked out
    int sendSettleMs = 0; // how long a target may take to read a sent line's keys
    bool operator==(const MainSettings &) const = default;
};

struct PrintSettings {
    PrintSetup setup;
    StoredWindow window; // its size is the window's own and not stored
    bool operator==(const PrintSettings &) const = default;
};

struct CheckSettings {
    WidthCheckSettings width;
    StoredWindow window; // its size is the window's own and not stored
    bool operator==(const CheckSettings &) const = default;
};

struct JoinSettings {
    StoredWindow window;
    QStringList files;
    bool operator==(const JoinSettings &) const = default;
};

struct FilterSettings {
    StoredWindow window;
    QString analyserPath; // ChaSen's program
    QString documentFilterPath;
    int analyser = 0; // the analyser the commands run: 0 ChaSen, 1 MeCab
    QString mecabPath;
    bool operator==(const FilterSettings &) const = default;
};

struct AnalysisSettings {
    StoredWindow window;
    bool inflectedForms = false;
    bool operator==(const AnalysisSettings &) const = default;
};

// The texts the function keys insert, one field a key.
struct FunctionKeyTexts {
    QString f4, f5, f6, f7, f8, f9, f10;
    bool operator==(const FunctionKeyTexts &) const = default;
};

struct InputAssistSettings {
    StoredWindow window; // its size is written, never read back
    FunctionKeyTexts keys;
    bool sendByEnter = false;
    QStringList files;
    bool operator==(const InputAssistSettings &) const = default;
};

struct DictionarySettings {
    StoredWindow window;
    QStringList lines; // the custom words, one a line
    bool operator==(const DictionarySettings &) const = default;
};

struct UserConversionSettings {
    StoredWindow window;
    QList<ConversionRow> rows;
    bool operator==(const UserConversionSettings &) const = default;
};

// The defaults are the settings table's: a snapshot made here from nothing
// is no default state, only a value to fill.
struct StoredSettings {
    MainSettings main;
    PrintSettings print;
    CheckSettings check;
    JoinSettings join;
    StoredWindow talkerList;
    StoredWindow resultList;
    FilterSettings filters;
    AnalysisSettings analysis;
    StoredWindow advice;
    StoredWindow charConversion; // its size is written, never read back
    InputAssistSettings inputAssist;
    DictionarySettings dictionary;
    UserConversionSettings userConversion;
    StoredWindow slideEditor;
    bool operator==(const StoredSettings &) const = default;
};
