#include "platform/ScriptedPrompter.h"

QVariant ScriptedPrompter::next()
{
    return m_answers.isEmpty() ? QVariant() : m_answers.dequeue();
}

MsgResult ScriptedPrompter::message(const QString &text, const QString &caption, MsgIcon icon,
                                    MsgButtons buttons)
{
    m_asked.append({PromptRecord::Message, text, caption, icon, buttons, {}});
    const QVariant v = next();
    if (v.isValid())
        return MsgResult(v.toInt());
    return (buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel) ? MsgResult::Ok
                                                                         : MsgResult::Yes;
}

QString ScriptedPrompter::inputBox(const QString &caption, const QString &prompt,
                                   const QString &defaultText)
{
    m_asked.append({PromptRecord::InputBox, prompt, caption, MsgIcon::None, MsgButtons::OkCancel,
                    defaultText});
    const QVariant v = next();
    return v.isValid() ? v.toString() : defaultText;
}

bool ScriptedPrompter::inputQuery(const QString &caption, const QString &prompt, QString &value)
{
    m_asked.append({PromptRecord::InputQuery, prompt, caption, MsgIcon::None,
                    MsgButtons::OkCancel, value});
    const QVariant v = next();
    if (!v.isValid())
        return false;
    value = v.toString();
    return true;
}

QString ScriptedPrompter::openFileName(const FileDialogRequest &request)
{
    m_asked.append({PromptRecord::OpenFile, request.fileName, request.caption, MsgIcon::None,
                    MsgButtons::OkCancel, request.filter});
    return next().toString();
}

QStringList ScriptedPrompter::openFileNames(const FileDialogRequest &request)
{
    m_asked.append({PromptRecord::OpenFiles, request.fileName, request.caption, MsgIcon::None,
                    MsgButtons::OkCancel, request.filter});
    return next().toStringList();
}

QString ScriptedPrompter::saveFileName(const FileDialogRequest &request)
{
    m_asked.append({PromptRecord::SaveFile, request.fileName, request.caption, MsgIcon::None,
                    MsgButtons::OkCancel, request.filter});
    return next().toString();
}
