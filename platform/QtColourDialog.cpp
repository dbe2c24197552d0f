#include "platform/QtColourDialog.h"

#include <QApplication>
#include <QColorDialog>

QColor QtColourDialog::choose(const QString &caption, const QColor &initial)
{
    return QColorDialog::getColor(initial, QApplication::activeWindow(), caption);
}
