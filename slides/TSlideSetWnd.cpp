#include "slides/TSlideSetWnd.h"

#include "platform/ColourDialog.h"
#include "widgets/ColourBox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

TSlideSetWnd::TSlideSetWnd()
    : ToolWindow(u"SlideSetWnd"_s, u"スライド変換設定"_s, 0, Qt::Dialog)
{
    const SlideSettings defaults;
    auto *grid = new QGridLayout(this);
    PageHeight = namedSpinBox(this, u"PageHeight"_s, 0, 10000, defaults.width);
    PageWidth = namedSpinBox(this, u"PageWidth"_s, 0, 10000, defaults.height);
    PageTop = namedSpinBox(this, u"PageTop"_s, 0, 10000, defaults.left);
    PageLeft = namedSpinBox(this, u"PageLeft"_s, 0, 10000, defaults.top);
    SelFontSize = namedSpinBox(this, u"SelFontSize"_s, 0, 300, defaults.fontSize);
    grid->addWidget(new QLabel(u"画面のサイズ"_s, this), 0, 0);
    grid->addWidget(new QLabel(u"横"_s, this), 0, 1);
    grid->addWidget(PageHeight, 0, 2);
    grid->addWidget(new QLabel(u"縦"_s, this), 0, 3);
    grid->addWidget(PageWidth, 0, 4);
    grid->addWidget(new QLabel(u"左上の座標（位置）"_s, this), 1, 0);
    grid->addWidget(new QLabel(u"横"_s, this), 1, 1);
    grid->addWidget(PageTop, 1, 2);
    grid->addWidget(new QLabel(u"縦"_s, this), 1, 3);
    grid->addWidget(PageLeft, 1, 4);
    grid->addWidget(new QLabel(u"基本フォントサイズ"_s, this), 2, 0);
    grid->addWidget(SelFontSize, 2, 2);
    grid->addWidget(new QLabel(u"pt"_s, this), 2, 3);
    PageColor = new ColourBox(this);
    PageColor->setObjectName(u"PageColor"_s);
    PageColor->setColourRef(defaults.pageColour);
    FontColor = new ColourBox(this);
    FontColor->setObjectName(u"FontColor"_s);
    FontColor->setColourRef(defaults.fontColour);
    grid->addWidget(new QLabel(u"背景色"_s, this), 3, 0);
    grid->addWidget(PageColor, 3, 1, 1, 4);
    grid->addWidget(new QLabel(u"文字色"_s, this), 4, 0);
    grid->addWidget(FontColor, 4, 1, 1, 4);
    ConvertColorCode = new QCheckBox(u"カラーコードを反映する。"_s, this);
    ConvertColorCode->setObjectName(u"ConvertColorCode"_s);
    grid->addWidget(ConvertColorCode, 5, 0, 1, 5);

    auto *codes = new QGroupBox(u"《IPtalk色指定の反映》"_s, this);
    auto *codeGrid = new QGridLayout(codes);
    for (int i = 0; i < 8; ++i) {
        cl[i] = new QFrame(codes);
        cl[i]->setObjectName(u"cl%1"_s.arg(i + 1));
        cl[i]->setFrameShape(QFrame::Box);
        cl[i]->setAutoFillBackground(true);
        cl[i]->setMinimumSize(32, 22);
        codeGrid->addWidget(new QLabel(u"`%1"_s.arg(i + 1), codes), 0, i, Qt::AlignHCenter);
        codeGrid->addWidget(cl[i], 1, i);
        auto *pick = new QPushButton(u"..."_s, codes);
        pick->setObjectName(u"Button%1"_s.arg(9 + i));
        connect(pick, &QPushButton::clicked, this, [this, i] {
            const QColor chosen = ColourDialog::instance().choose(u"色の設定"_s, colourOfRef(m_codeColours[i]));
            if (chosen.isValid())
                setCodeColour(i + 1, colourRefOf(chosen));
        });
        codeGrid->addWidget(pick, 2, i);
        setCodeColour(i + 1, defaults.codeColours[i]);
    }
    grid->addWidget(codes, 6, 0, 1, 5);

    auto *start = new QPushButton(u"開始"_s, this);
    start->setObjectName(u"Button1"_s);
    start->setDefault(true);
    auto *cancel = new QPushButton(u"キャンセル"_s, this);
    cancel->setObjectName(u"Button2"_s);
    connect(start, &QPushButton::clicked, this, &TSlideSetWnd::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &TSlideSetWnd::Button2Click);
    grid->addWidget(start, 7, 3);
    grid->addWidget(cancel, 7, 4);
    setFixedSize(sizeHint());
}

void TSlideSetWnd::setCodeColour(int code, int colourRef)
{
    m_codeColours[code - 1] = colourRef;
    QPalette pal = cl[code - 1]->palette();
    pal.setColor(QPalette::Window, colourOfRef(colourRef));
    cl[code - 1]->setPalette(pal);
}

SlideSettings TSlideSetWnd::settings() const
{
    SlideSettings s;
    s.width = PageHeight->value();
    s.height = PageWidth->value();
    s.left = PageTop->value();
    s.top = PageLeft->value();
    s.fontSize = SelFontSize->value();
    s.pageColour = PageColor->colourRef();
    s.fontColour = FontColor->colourRef();
    s.colourCodes = ConvertColorCode->isChecked();
    s.codeColours = m_codeColours;
    return s;
}

bool TSlideSetWnd::runModal()
{
    m_accepted = false;
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &TSlideSetWnd::finished, &loop, &QEventLoop::quit);
    showTool();
    loop.exec();
    return m_accepted;
}

void TSlideSetWnd::Button1Click()
{
    m_accepted = true;
    hide();
    Q_EMIT finished();
}

void TSlideSetWnd::Button2Click()
{
    hide();
    Q_EMIT finished();
}

void TSlideSetWnd::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    Q_EMIT finished();
}
