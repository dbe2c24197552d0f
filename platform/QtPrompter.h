#pragma once
// The real dialogs, shown modally over the active window.
#include "platform/Prompter.h"

class QtPrompter : public Prompter {
public:
    MsgResult message(const QString &text, const QString &caption, MsgIcon icon,
                      MsgButtons buttons) override;
    QString inputBox(const QString &caption, const QString &prompt,
                     const QString &defaultText) override;
    bool inputQuery(const QString &caption, const QString &prompt, QString &value) override;
    QString openFileName(const FileDialogRequest &request) override;
    QStringList openFileNames(const FileDialogRequest &request) override;
    QString saveFileName(const FileDialogRequest &request) override;
};
