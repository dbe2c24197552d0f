#include "widgets/ColourBox.h"

#include "platform/ColourDialog.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct NamedColour {
    const char16_t *name;
    int ref;
};

// The standard sixteen colours and four more, by the names a Japanese user
// reads (the files keep only the numbers).
const NamedColour kColours[] = {
    {u"黒", 0x000000},     {u"栗色", 0x000080},   {u"緑", 0x008000},       {u"オリーブ", 0x008080},
    {u"紺", 0x800000},     {u"紫", 0x800080},     {u"青緑", 0x808000},     {u"灰色", 0x808080},
    {u"銀色", 0xC0C0C0},   {u"赤", 0x0000FF},     {u"ライム", 0x00FF00},   {u"黄", 0x00FFFF},
    {u"青", 0xFF0000},     {u"赤紫", 0xFF00FF},   {u"水色", 0xFFFF00},     {u"白", 0xFFFFFF},
    {u"薄緑", 0xC0DCC0},   {u"空色", 0xF0CAA6},   {u"クリーム", 0xF0FBFF}, {u"中間の灰色", 0xA4A0A0},
};

const QString kOther = u"その他…"_s;

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
    for (const NamedColour &c : kColours)
        addItem(swatch(c.ref), QString::fromUtf16(c.name), c.ref);
    // Holds no colour until one is chosen; a blank swatch keeps its text in
    // line with the named ones.
    QPixmap blank(14, 14);
    blank.fill(Qt::transparent);
    addItem(QIcon(blank), kOther, -1);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index == otherIndex())
            chooseOther();
        else
            m_shown = index;
    });
}

int ColourBox::colourRef() const
{
    return std::max(0, currentData().toInt());
}

void ColourBox::setColourRef(int ref)
{
    ref &= 0xFFFFFF;
    const int named = findData(ref);
    if (named >= 0 && named != otherIndex()) {
        setCurrentIndex(named);
    } else {
        setItemData(otherIndex(), ref);
        setItemIcon(otherIndex(), swatch(ref));
        setCurrentIndex(otherIndex());
    }
    m_shown = currentIndex();
}

void ColourBox::chooseOther()
{
    const int before = itemData(m_shown).toInt();
    const QColor chosen = ColourDialog::instance().choose(u"色の設定"_s, colourOfRef(std::max(0, before)));
    if (chosen.isValid())
        setColourRef(colourRefOf(chosen));
    else
        setCurrentIndex(m_shown); // cancelled: the colour stays what it was
}
