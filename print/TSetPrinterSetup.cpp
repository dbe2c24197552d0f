#include "print/TSetPrinterSetup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

TSetPrinterSetup::TSetPrinterSetup()
    : ToolWindow(u"SetPrinterSetup"_s, u"印字設定"_s, 0x0008, Qt::Tool)
{
    PrinterName = new QComboBox(this);
    PrinterName->setObjectName(u"PrinterName"_s);
    PrintFont = new QComboBox(this);
    PrintFont->setObjectName(u"PrintFont"_s);
    PrintFontSize = namedSpinBox(this, u"PrintFontSize"_s, 0, 100, 10);
    PrintDiv = namedSpinBox(this, u"PrintDiv"_s, 1, 5, 1);
    auto *details = new QPushButton(u"詳細設定"_s, this);
    details->setObjectName(u"Button1"_s);

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
    grid->addWidget(details, 4, 2);
    int row = 5;
    for (const QString &note : {u"●ロールを印刷するときの設定です。"_s,
                                u"紙の横余白を使って効率よく印刷するには、"_s,
                                u"区画を設定し、分割あり印刷を実施してください。"_s,
                                u"●印字は、等幅フォントを使用してください。"_s})
        grid->addWidget(guidanceLabel(note, this), row++, 0, 1, 3);
    setFixedSize(sizeHint().expandedTo(QSize(325, 220)));
}
