#pragma once
#include "print/PrintSetup.h"
#include "widgets/ToolWindow.h"

class CurrentPrinter;
class QComboBox;
class QPushButton;
class QSpinBox;

// The print settings: printer, font, size and columns used by all printing.
class TSetPrinterSetup : public ToolWindow {
    Q_OBJECT
public:
    explicit TSetPrinterSetup(CurrentPrinter &printer);

    // The settings as the controls hold them now.
    PrintSetup settings() const;
    // Stored settings back into the controls; a printer or font name that has
    // no entry leaves that selection as it is.
    void applySettings(const PrintSetup &setup);

    // The printer chosen in PrinterName becomes the application's printer.
    void PrinterNameSelect();
    // "詳細設定": the platform's printer setup; its printer is then chosen here.
    void Button1Click();

    QComboBox *PrinterName;
    QComboBox *PrintFont;
    QSpinBox *PrintFontSize;
    QSpinBox *PrintDiv;
    QPushButton *Button1;

private:
    CurrentPrinter &m_printer;
};
