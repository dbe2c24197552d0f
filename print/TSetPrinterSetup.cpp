#include "print/TSetPrinterSetup.h"

#include "platform/PrintDialogs.h"
#include "print/CurrentPrinter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

TSetPrinterSetup::TSetPrinterSetup(CurrentPrinter &printer)
    : ToolWindow(u"SetPrinterSetup"_s, u"印字設定"_s, 0x0008, Qt::Tool)
    , m_printer(printer)
{
    PrinterName = new QComboBox(this);
    PrinterName->setObjectName(u"PrinterName"_s);
    PrintFont = new QComboBox(this);
    PrintFont->setObjectName(u"PrintFont"_s);
    PrintFontSize = namedSpinBox(this, u"PrintFontSize"_s, 0, 100, 10);
    PrintDiv = namedSpinBox(this, u"PrintDiv"_s, 1, 5, 1);
    Button1 = new QPushButton(u"詳細設定"_s, this);
    Button1->setObjectName(u"Button1"_s);
    connect(PrinterName, &QComboBox::activated, this, &TSetPrinterSetup::PrinterNameSelect);
    connect(Button1, &QPushButton::clicked, this, &TSetPrinterSetup::Button1Click);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(u"使うプリンタ"_s, this), 0, 0);
    grid->addWidget(PrinterName, 0, 1, 1, 2);
    grid->addWidget(new QLabel(u"印字フォント"_s, this), 1, 0);
    grid->addWidget(PrintFont, 1, 1, 1, 2);
    grid->addWidget(new QLabel(u"印字フォントサイズ"_s, this), 2, 0);
    grid->addWidget(PrintFontSize, 2, 1);
    grid->addWidget(new QLabel(u"ポイント"_s, this), 2, 2);
    grid->addWidget(new QLabel(u"分割（分割あり印刷時）"_s, this), 3, 0);
    grid->addWidget(PrintDiv, 3, 1);
    grid->addWidget(new QLabel(u"区画"_s, this), 3, 2);
    grid->addWidget(Button1, 4, 2);
    int row = 5;
    for (const QString &note : {u"●ロールを印刷するときの設定です。"_s,
                                u"紙の横余白を使って効率よく印刷するには、"_s,
                                u"区画を設定し、分割あり印刷を実施してください。"_s,
                                u"●印字は、等幅フォントを使用してください。"_s})
        grid->addWidget(guidanceLabel(note, this), row++, 0, 1, 3);
    setFixedSize(sizeHint().expandedTo(QSize(325, 220)));
}

PrintSetup TSetPrinterSetup::settings() const
{
    return {.printer = PrinterName->currentText(),
            .font = PrintFont->currentText(),
            .points = PrintFontSize->value(),
            .columns = PrintDiv->value()};
}

void TSetPrinterSetup::applySettings(const PrintSetup &setup)
{
    const int printer = PrinterName->findText(setup.printer, Qt::MatchExactly);
    if (printer >= 0) {
        PrinterName->setCurrentIndex(printer);
        PrinterNameSelect();
    }
    const int font = PrintFont->findText(setup.font, Qt::MatchExactly);
    if (font >= 0)
        PrintFont->setCurrentIndex(font);
    PrintFontSize->setValue(setup.points);
    PrintDiv->setValue(setup.columns);
}

void TSetPrinterSetup::PrinterNameSelect()
{
    m_printer.select(PrinterName->currentText());
}

void TSetPrinterSetup::Button1Click()
{
    const std::optional<QString> chosen = PrintDialogs::instance().setupPrinter(m_printer.printer());
    if (!chosen)
        return;
    const int index = PrinterName->findText(*chosen, Qt::MatchExactly);
    if (index >= 0)
        PrinterName->setCurrentIndex(index);
    PrinterNameSelect();
}
