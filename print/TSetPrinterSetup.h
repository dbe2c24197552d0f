#pragma once
#include "widgets/ToolWindow.h"

class QComboBox;
class QSpinBox;

// The print settings: printer, font, size and columns used by all printing.
class TSetPrinterSetup : public ToolWindow {
    Q_OBJECT
public:
    TSetPrinterSetup();

    QComboBox *PrinterName;
    QComboBox *PrintFont;
    QSpinBox *PrintFontSize;
    QSpinBox *PrintDiv;
};
