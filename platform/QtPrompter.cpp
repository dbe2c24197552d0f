#include "platform/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

// Messages are written with CR LF (and sometimes a lone LF or tab) as breaks.
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Qt's own file dialog reads a typed name holding '"' as a list of quoted
// names and goes on with one of them: `a "b".txt` would save to "b". A dialog
// for one file takes the typed name whole or refuses it, never another file.
// Such a name cannot be told apart from a list, and rolls travel to Windows,
// where '"' is no file-name character: it is refused.
class OneFileDialog : public QFileDialog {
public:
    OneFileDialog(const FileDialogRequest &r, const QString &start, AcceptMode mode)
        : QFileDialog(dialogParent(), r.caption, start, r.filter)
        , m_caption(r.caption)
    {
        setAcceptMode(mode);
        setFileMode(mode == AcceptSave ? AnyFile : ExistingFile);
        setSupportedSchemes({u"file"_s});
    }

    QString chosenFile()
    {
        return exec() == QDialog::Accepted ? selectedFiles().value(0) : QString();
    }

    void accept() override
    {
        // Only Qt's own dialog has the name box; a desktop's dialog needs no check.
        const auto *nameBox = findChild<QLineEdit *>(u"fileNameEdit"_s);
        if (nameBox && nameBox->text().contains(u'"')) {
            showMessage(u"ファイル名に「\"」は使えません。\r\n別の名前を指定してください。"_s,
                        m_caption, MsgIcon::Warning);
            return;
        }
        QFileDialog::accept();
    }

private:
    QString m_caption;
};

} // namespace

MsgResult QtPrompter::message(const QString &text, const QString &caption, MsgIcon icon,
                              MsgButtons buttons)
{
    QMessageBox box(boxIcon(icon), caption, displayText(text), QMessageBox::NoButton,
                    dialogParent());
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // The captions a Japanese desktop shows on these buttons.
    const std::pair<QMessageBox::StandardButton, const char16_t *> captions[] = {
        {QMessageBox::Ok, u"OK"}, {QMessageBox::Cancel, u"キャンセル"},
        {QMessageBox::Yes, u"はい(&Y)"}, {QMessageBox::No, u"いいえ(&N)"}};
    for (const auto &[button, caption] : captions) {
        if (QAbstractButton *b = box.button(button))
            b->setText(QString::fromUtf16(caption));
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: break;
    }
    // Closing the box without a button: the safe answer.
    if (buttons == MsgButtons::YesNo)
        return MsgResult::No;
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

QString QtPrompter::inputBox(const QString &caption, const QString &prompt,
                             const QString &defaultText)
{
    QString value = defaultText;
    return inputQuery(caption, prompt, value) ? value : defaultText;
}

bool QtPrompter::inputQuery(const QString &caption, const QString &prompt, QString &value)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(dialogParent(), caption, displayText(prompt),
                                                 QLineEdit::Normal, value, &ok);
    if (ok)
        value = answer;
    return ok;
}

QString QtPrompter::openFileName(const FileDialogRequest &r)
{
    return OneFileDialog(r, r.directory, QFileDialog::AcceptOpen).chosenFile();
}

QStringList QtPrompter::openFileNames(const FileDialogRequest &r)
{
    return QFileDialog::getOpenFileNames(dialogParent(), r.caption, r.directory, r.filter);
}

QString QtPrompter::saveFileName(const FileDialogRequest &r)
{
    QString start = r.directory;
    if (!r.fileName.isEmpty())
        start = start.isEmpty() ? r.fileName : start + QLatin1Char('/') + r.fileName;
    return OneFileDialog(r, start, QFileDialog::AcceptSave).chosenFile();
}
