#pragma once
// One gateway for every message box, input box and file dialog, so that the
// windows stay scriptable: tests install a ScriptedPrompter and assert the exact
// texts, captions, icons and buttons the user would have seen.
#include <QString>
#include <QStringList>

enum class MsgIcon { None, Information, Warning, Question, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    QString caption;
    QString filter;     // Qt filter string, e.g. "テキストファイル (*.txt);;すべて (*)"
    QString directory;  // start folder, may be empty
    QString fileName;   // proposed name (save dialogs)
};

class Prompter {
public:
    virtual ~Prompter();

    // A message box. `text` may hold CR LF breaks as the messages are written;
    // the box shows them as line breaks. Returns the button chosen (closing the
    // box counts as Cancel for YesNoCancel/OkCancel, No for YesNo, Ok for Ok).
    virtual MsgResult message(const QString &text, const QString &caption, MsgIcon icon,
                              MsgButtons buttons) = 0;

    // An input box: returns the text, or `defaultText` when cancelled.
    virtual QString inputBox(const QString &caption, const QString &prompt,
                             const QString &defaultText) = 0;

    // An input box that tells cancel apart: false when cancelled (value untouched).
    virtual bool inputQuery(const QString &caption, const QString &prompt, QString &value) = 0;

    // File dialogs: the chosen path(s), empty when cancelled.
    virtual QString openFileName(const FileDialogRequest &request) = 0;
    virtual QStringList openFileNames(const FileDialogRequest &request) = 0;
    virtual QString saveFileName(const FileDialogRequest &request) = 0;

    // The process-wide prompter. Never null once the application has installed
    // one; installing returns the previous one (tests restore it).
    static Prompter &instance();
    static Prompter *install(Prompter *prompter);
};

// Turns a filter written as "text|patterns|text|patterns" (patterns separated
// by ";") into Qt's "text (patterns);;…" form.
QString dialogFilter(const QString &pipeFilter);

// `path` with ".suffix" added when its file name has no suffix (a dialog's
// default extension); an empty path stays empty.
QString withDefaultSuffix(const QString &path, const QString &suffix);

// Short form for the common call.
inline MsgResult showMessage(const QString &text, const QString &caption,
                             MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok)
{
    return Prompter::instance().message(text, caption, icon, buttons);
}
