// The real dialogs behind the prompter, driven headless: what a typed file
// name gives, and that Qt's own texts are Japanese.
#include "platform/QtPrompter.h"
#include "platform/QtTranslations.h"
#include "platform/ScriptedPrompter.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Looks for a dialog about to open for a few seconds at most, so that a
// test whose dialog never comes fails instead of acting in a later one.
constexpr int kPolls = 300;

// Types `names` one after another into the file dialog about to open,
// pressing Enter after each; a dialog still open afterwards is cancelled.
void typeIntoNextFileDialog(const QStringList &names, int polls = kPolls)
{
    QTimer::singleShot(10, [names, polls] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (polls > 0)
                typeIntoNextFileDialog(names, polls - 1); // not open yet
            return;
        }
        auto *nameBox = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        QVERIFY(nameBox);
        // Typed with the focus in the name box, as a user types: without it
        // the dialog rewrites the box to what it selected.
        QApplication::setActiveWindow(dialog);
        nameBox->setFocus();
        for (const QString &name : names) {
            if (!dialog->isVisible())
                break;
            nameBox->setText(name);
            // A question of Qt's own that the test does not expect ends as
            // "no" instead of waiting for an answer forever.
            QTimer::singleShot(3000, dialog, [] {
                if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                    box->reject();
            });
            QTest::keyClick(nameBox, Qt::Key_Return);
        }
        if (dialog->isVisible())
            dialog->reject();
    });
}

// The texts of the message box about to open over a file dialog; it is
// answered with Yes. Looking stops when `read` goes.
struct MessageBoxTexts : QObject {
    QStringList texts;
};

void readNextMessageBox(MessageBoxTexts &read, int polls = kPolls)
{
    QTimer::singleShot(10, &read, [&read, polls] {
        QStringList &texts = read.texts;
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (polls > 0)
                readNextMessageBox(read, polls - 1);
            return;
        }
        texts << box->text();
        const QList<QAbstractButton *> buttons = box->buttons();
        for (QAbstractButton *b : buttons)
            texts << b->text();
        box->button(QMessageBox::Yes)->click();
    });
}

bool put(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

} // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void typedNameIsTakenWholeOrRefused_data();
    void typedNameIsTakenWholeOrRefused();
    void qtTextsAreJapanese();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    ScriptedPrompter m_script;
    Prompter *m_previous = nullptr;
};

void TestQtDialogs::initTestCase()
{
    // The refusals go through the prompter like every other message.
    m_previous = Prompter::install(&m_script);
}

void TestQtDialogs::cleanupTestCase()
{
    Prompter::install(m_previous);
}

void TestQtDialogs::init()
{
    m_script.clear();
    // A new folder for each case, with a space as users' folders often have.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = m_dir->filePath(u"my rolls"_s);
    QVERIFY(QDir().mkpath(m_folder));
}

void TestQtDialogs::typedNameIsTakenWholeOrRefused_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::newRow("save: quotes in the name") << true << u"saved 'x' \"y\".txt"_s << true;
    QTest::newRow("save: a quoted list") << true << u"\"a.txt\" \"b.txt\""_s << true;
    QTest::newRow("save: apostrophes and spaces") << true << u"saved 'x' y.txt"_s << false;
    QTest::newRow("save: Japanese name") << true << u"前ロール 第1部.txt"_s << false;
    QTest::newRow("open: quotes in the name") << false << u"old \"y\""_s << true;
    QTest::newRow("open: apostrophes and spaces") << false << u"old 'y'.txt"_s << false;
}

void TestQtDialogs::typedNameIsTakenWholeOrRefused()
{
    QFETCH(bool, save);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    // The open dialog takes existing files only: the ones the typed names
    // mean, and "y", which Qt would take from `old "y"`.
    if (!save) {
        for (const QString &name : {u"y"_s, u"fixed.txt"_s, u"old 'y'.txt"_s})
            QVERIFY(put(QDir(m_folder).filePath(name)));
    }

    // After a refusal the dialog stays open and takes the next name.
    typeIntoNextFileDialog({typed, u"fixed.txt"_s});
    QtPrompter dialogs;
    const FileDialogRequest request{u"ファイルを保存する"_s, u"すべて (*)"_s, m_folder,
                                    save ? u"untitled.txt"_s : QString()};
    const QString chosen = save ? dialogs.saveFileName(request) : dialogs.openFileName(request);

    QCOMPARE(chosen, QDir(m_folder).filePath(refused ? u"fixed.txt"_s : typed));
    QCOMPARE(m_script.asked().size(), refused ? 1 : 0);
    if (refused) {
        const PromptRecord &message = m_script.asked().first();
        QCOMPARE(message.text, u"ファイル名に「\"」は使えません。\r\n別の名前を指定してください。"_s);
        QCOMPARE(message.caption, u"ファイルを保存する"_s);
        QCOMPARE(message.icon, MsgIcon::Warning);
    }
}

void TestQtDialogs::qtTextsAreJapanese()
{
    QVERIFY2(installQtTranslations(),
             "Qt's Japanese translations are missing (package qt6-translations-l10n)");
    QVERIFY(installQtTranslations()); // a second call changes nothing

    // The standard buttons of input boxes and other dialogs.
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), u"キャンセル"_s);

    // Qt's own file dialog and its overwrite question.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QCOMPARE(dialog.labelText(QFileDialog::FileName), u"ファイル名(&N):"_s);
    QCOMPARE(dialog.labelText(QFileDialog::Accept), u"保存(&S)"_s);

    const QString existing = QDir(m_folder).filePath(u"existing.txt"_s);
    QVERIFY(put(existing));
    MessageBoxTexts question;
    readNextMessageBox(question);
    typeIntoNextFileDialog({u"existing.txt"_s});
    QtPrompter dialogs;
    QCOMPARE(dialogs.saveFileName({u"保存"_s, QString(), m_folder, QString()}), existing);
    QCOMPARE(question.texts, (QStringList{u"existing.txt は既に存在します。\n置き換えますか?"_s,
                                    u"はい(&Y)"_s, u"いいえ(&N)"_s}));
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
