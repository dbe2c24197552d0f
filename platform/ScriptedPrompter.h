#pragma once
// A Prompter with scripted answers that records what was asked. Used by tests,
// and as the silent fallback where no GUI exists.
#include "platform/Prompter.h"

#include <QList>
#include <QQueue>
#include <QVariant>

struct PromptRecord {
    enum Kind { Message, InputBox, InputQuery, OpenFile, OpenFiles, SaveFile } kind = Message;
    QString text;      // message text or input prompt
    QString caption;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString defaultText; // input boxes; filter for file dialogs
};

class ScriptedPrompter : public Prompter {
public:
    // Answers are consumed in order. A message takes a MsgResult, an input box a
    // QString (a null QVariant means "cancelled"), a file dialog a QString or
    // QStringList (empty = cancelled). When the queue is empty the default is
    // used: the first button (Ok/Yes), the default text, a cancelled dialog.
    void answer(const QVariant &value) { m_answers.enqueue(value); }
    void answer(MsgResult result) { m_answers.enqueue(QVariant::fromValue(int(result))); }

    const QList<PromptRecord> &asked() const { return m_asked; }
    void clear() { m_asked.clear(); m_answers.clear(); }
    int pendingAnswers() const { return int(m_answers.size()); }

    MsgResult message(const QString &text, const QString &caption, MsgIcon icon,
                      MsgButtons buttons) override;
    QString inputBox(const QString &caption, const QString &prompt,
                     const QString &defaultText) override;
    bool inputQuery(const QString &caption, const QString &prompt, QString &value) override;
    QString openFileName(const FileDialogRequest &request) override;
    QStringList openFileNames(const FileDialogRequest &request) override;
    QString saveFileName(const FileDialogRequest &request) override;

private:
    QVariant next();
    QList<PromptRecord> m_asked;
    QQueue<QVariant> m_answers;
};
