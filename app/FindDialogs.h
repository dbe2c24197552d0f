#pragma once
// The find and replace dialogs of the editor (non-modal). They only collect
// the texts and say which button was pressed; the main window searches.
#include <QDialog>

class QLineEdit;

class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget *parent);
    QString findText() const;
    void setFindText(const QString &text);

Q_SIGNALS:
    void find();

protected:
    QLineEdit *m_find = nullptr;
};

class TReplaceDialog : public TFindDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget *parent);
    QString replaceText() const;
    void setReplaceText(const QString &text);

Q_SIGNALS:
    void replace();
    void replaceAll();

private:
    QLineEdit *m_replace = nullptr;
};
