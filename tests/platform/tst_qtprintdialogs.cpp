// The real printer dialogs, driven headless: the preview shows what the
// command paints and sends only on "印刷"; the setup dialog tells its choice.
#include "platform/QtPrintDialogs.h"

#include <QApplication>
#include <QDir>
#include <QDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs `act` on the modal dialog about to open (a few seconds at most).
void onNextDialog(const std::function<void(QDialog *)> &act, int polls = 300)
{
    QTimer::singleShot(10, [act, polls] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (polls > 0)
                onNextDialog(act, polls - 1);
            return;
        }
        act(dialog);
    });
}

QPushButton *buttonCalled(QDialog *dialog, const QString &text)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestQtPrintDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void previewShowsThePages_data();
    void previewShowsThePages();
    void setupTellsTheChoice_data();
    void setupTellsTheChoice();
};

void TestQtPrintDialogs::previewShowsThePages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("sent");
    QTest::newRow("印刷") << u"印刷"_s << true;
    QTest::newRow("キャンセル") << u"キャンセル"_s << false;
}

void TestQtPrintDialogs::previewShowsThePages()
{
    QFETCH(QString, button);
    QFETCH(bool, sent);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    QString title;
    int pages = -1;
    onNextDialog([&](QDialog *dialog) {
        title = dialog->windowTitle();
        if (auto *preview = dialog->findChild<QPrintPreviewWidget *>())
            pages = preview->pageCount();
        if (QPushButton *b = buttonCalled(dialog, button))
            b->click();
        else
            dialog->reject();
    });
    const auto paint = [](QPrinter &device) {
        QPainter painter(&device);
        painter.drawText(100, 100, u"Page.1"_s);
        device.newPage();
        painter.drawText(100, 100, u"Page.2"_s);
    };
    QCOMPARE(QtPrintDialogs().preview(printer, paint, u"印刷プレビュー"_s), sent);
    QCOMPARE(title, u"印刷プレビュー"_s);
    QCOMPARE(pages, 2);
}

void TestQtPrintDialogs::setupTellsTheChoice_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("OK") << true;
    QTest::newRow("cancel") << false;
}

void TestQtPrintDialogs::setupTellsTheChoice()
{
    QFETCH(bool, accept);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir::temp().filePath(u"velmat-setup-test.pdf"_s));
    QString title;
    onNextDialog([&](QDialog *dialog) {
        title = dialog->windowTitle();
        accept ? dialog->accept() : dialog->reject();
    });
    const std::optional<QString> chosen = QtPrintDialogs().setupPrinter(printer);
    QCOMPARE(title, u"詳細設定"_s);
    // Without a printer the dialog's only choice is a file.
    QCOMPARE(chosen, accept ? std::optional<QString>(QString()) : std::nullopt);
}

QTEST_MAIN(TestQtPrintDialogs)
#include "tst_qtprintdialogs.moc"
