#include "platform/QtPrintDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

std::optional<QString> QtPrintDialogs::setupPrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(u"詳細設定"_s);
    // Only the printer and its paper: what to print is the command's.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
}

bool QtPrintDialogs::preview(QPrinter &printer, const std::function<void(QPrinter &)> &paint,
                             const QString &caption)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    auto *pages = new QPrintPreviewWidget(&printer, &dialog);
    QObject::connect(pages, &QPrintPreviewWidget::paintRequested, &dialog,
                     [&paint](QPrinter *device) { paint(*device); });
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(u"印刷"_s, QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(u"キャンセル"_s, QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(pages);
    layout->addWidget(buttons);
    if (const QScreen *screen = dialog.screen())
        dialog.resize(screen->availableSize() * 3 / 4);
    return dialog.exec() == QDialog::Accepted;
}
