#include "widgets/ColourBox.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace {

struct NamedColour {
    const char *name;
    int ref;
};

// The standard sixteen and four extended colours.
const NamedColour kColours[] = {
    {"Black", 0x000000},   {"Maroon", 0x000080},       {"Green", 0x008000},    {"Olive", 0x008080},
    {"Navy", 0x800000},    {"Purple", 0x800080},       {"Teal", 0x808000},     {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},  {"Red", 0x0000FF},          {"Lime", 0x00FF00},     {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},    {"Fuchsia", 0xFF00FF},      {"Aqua", 0xFFFF00},     {"White", 0xFFFFFF},
    {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6}, {"Cream", 0xF0FBFF},    {"Medium Gray", 0xA4A0A0},
};

QIcon swatch(int ref)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(colourOfRef(ref));
    QPainter(&pixmap).drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

} // namespace

int colourRefOf(const QColor &c)
{
    return (c.blue() << 16) | (c.green() << 8) | c.red();
}

QColor colourOfRef(int ref)
{
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

ColourBox::ColourBox(QWidget *parent)
    : QComboBox(parent)
{
    addItem(swatch(m_custom), u"Custom..."_s, m_custom);
    for (const NamedColour &c : kColours)
        addItem(swatch(c.ref), QString::fromLatin1(c.name), c.ref);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index == 0)
            chooseCustom();
    });
}

int ColourBox::colourRef() const
{
    return currentData().toInt();
}

void ColourBox::setColourRef(int ref)
{
    const int index = findData(ref);
    if (index > 0) {
        setCurrentIndex(index);
        return;
    }
    m_custom = ref;
    setItemData(0, ref);
    setItemIcon(0, swatch(ref));
    setCurrentIndex(0);
}

void ColourBox::chooseCustom()
{
    const QColor chosen = QColorDialog::getColor(colourOfRef(m_custom), this);
    if (chosen.isValid())
        setColourRef(colourRefOf(chosen));
}
