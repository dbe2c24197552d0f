#pragma once
// The roll editor: a plain-text editor without word wrap whose window-level
// commands (undo, clipboard, find …) win over the editor's own key bindings.
#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>

class RollEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RollEditor(QWidget *parent = nullptr);

    // Key sequences that belong to menu commands; the editor lets them through
    // to the commands instead of handling them itself (its Ctrl+Z, Ctrl+V …).
    void setCommandKeys(const QList<QKeySequence> &keys) { m_commandKeys = keys; }

protected:
    bool event(QEvent *e) override;

private:
    QList<QKeySequence> m_commandKeys;
};
