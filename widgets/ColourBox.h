#pragma once
// A drop-down of named colours plus a last entry, 「その他…」, that opens the
// colour dialog and then holds the colour chosen there. Values are colour
// references (0x00BBGGRR), as the slide files and the settings keep them.
#include <QComboBox>

class ColourBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColourBox(QWidget *parent = nullptr);

    int colourRef() const;
    // Selects the named entry of that colour, or sets the other-colour entry to it.
    void setColourRef(int colourRef);

    // The entry that opens the colour dialog.
    int otherIndex() const { return count() - 1; }

private:
    void chooseOther();
    int m_shown = 0; // the entry chosen before the dialog opened, kept when it is cancelled
};

// Conversions between QColor and colour references.
int colourRefOf(const QColor &colour);
QColor colourOfRef(int colourRef);
