#pragma once
// A drop-down of named colours plus a custom entry that opens the colour
// dialog. Values are colour references (0x00BBGGRR), as the slide files and
// the settings keep them.
#include <QComboBox>

class ColourBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColourBox(QWidget *parent = nullptr);

    int colourRef() const;
    // Selects the named entry of that colour, or sets the custom entry to it.
    void setColourRef(int colourRef);

private:
    void chooseCustom();
    int m_custom = 0;
};

// Conversions between QColor and colour references.
int colourRefOf(const QColor &colour);
QColor colourOfRef(int colourRef);
