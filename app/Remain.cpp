#include "app/Remain.h"

#include "session/RollSession.h"

#include "analysis/WordAnalysis.h"
#include "app/DocumentFiles.h"
#include "app/EditorView.h"
#include "app/FormRollAccess.h"
#include "app/WorkSuspend.h"
#include "print/PrintCommands.h"
#include "reshape/ShapeCommands.h"

#include "history/EditHistory.h"
#include "app/LineNumberGutter.h"
#include "app/RollEditor.h"
#include "widgets/ToolWindow.h"
#include "platform/Fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TForm1 *Form1 = nullptr; // declared with the other windows in AppWindows.h

namespace {

QFrame *bar(const QString &name, const QColor &colour, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, colour);
    frame->setPalette(pal);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

} // namespace

TForm1::TForm1()
    : m_session(std::make_unique<RollSession>()),
      m_rollAccess(std::make_unique<FormRollAccess>(*this)),
      m_wordAnalysis(std::make_unique<WordAnalysis>())
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"前ロールエディター KOVA (Velmat)"_s);
    QFont formFont(substituteFontFamily(u"ＭＳ Ｐゴシック"_s));
    formFont.setPixelSize(12);
    setFont(formFont);
    setAcceptDrops(true);

    buildPanels();
    buildView();
    buildMenus();
    buildTimers();
    buildEditorView();
    buildDocumentFiles();
    buildWorkSuspend();
    buildSending();
    buildShapeCommands();
    buildPrinting();
    buildCaptionPreview();

    // Client area 672 × 612, centred on the screen.
    resize(672, 612 + menuBar()->sizeHint().height());
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm1::~TForm1()
{
    // The editor shows the session's document: it goes first.
    delete RichEdit1;
}

void TForm1::buildPanels()
{
    StatusBar1 = new QLabel(this);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    statusBar()->addWidget(StatusBar1, 1);
    statusBar()->setSizeGripEnabled(true);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(u"Splitter1"_s);
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    setCentralWidget(Splitter1);

    // Left part: tag-jump strip, gutter and editor.
    auto *left = new QWidget(Splitter1);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);

    auto *strip = new QWidget(left);
    strip->setObjectName(u"TopPanel"_s);
    strip->setFixedHeight(48);
    auto *stripLayout = new QVBoxLayout(strip);
    stripLayout->setContentsMargins(4, 2, 4, 2);
    stripLayout->setSpacing(2);
    stripLayout->addWidget(new QLabel(u"コメント行へ移動する（タグジャンプ）"_s, strip));
    QueJump = new QComboBox(strip);
    QueJump->setObjectName(u"QueJump"_s);
    QueJump->setMaxVisibleItems(20);
    QueJump->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    stripLayout->addWidget(QueJump);
    leftLayout->addWidget(strip);

    auto *editArea = new QWidget(left);
    auto *editLayout = new QHBoxLayout(editArea);
    editLayout->setContentsMargins(0, 0, 0, 0);
    editLayout->setSpacing(0);

    RichEdit1 = new RollEditor(m_session->document(), editArea);
    RichEdit1->setObjectName(u"RichEdit1"_s);
    {
        QPalette pal = RichEdit1->palette();
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::Text, Qt::black);
        RichEdit1->setPalette(pal);
        QFont editorFont(substituteFontFamily(u"ＭＳ ゴシック"_s));
        editorFont.setPixelSize(10);
        RichEdit1->setFont(editorFont);
    }
    editLayout->addWidget(RichEdit1, 1);
    LineNo = new LineNumberGutter(RichEdit1, editArea); // left of the editor
    // The window's face until one is chosen; set here because the splitter's
    // style sheet stops the window font from reaching the widgets inside it.
    LineNo->setFont(font());
    LineNo->setFixedWidth(48);
    editLayout->insertWidget(0, LineNo);
    leftLayout->addWidget(editArea, 1);

    CharPosSign = bar(u"CharPosSign"_s, Qt::green, editArea);
    CharPosSign->setGeometry(0, 0, 3, 100);
    CursorLine = bar(u"CursorLine"_s, Qt::blue, editArea);
    CursorLine->setGeometry(0, 0, 100, 4);
    CursorLine->hide();

    // Right panel. It scrolls when the window is too low for all of it, so
    // that it does not hold the editor and the preview pane below at its own
    // height.
    auto *rightScroll = new QScrollArea(Splitter1);
    rightScroll->setObjectName(u"RightPanelScroll"_s);
    rightScroll->setFrameShape(QFrame::NoFrame);
    rightScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rightScroll->setWidgetResizable(true);
    rightScroll->setFixedWidth(185 + rightScroll->verticalScrollBar()->sizeHint().width());
    auto *right = new QWidget;
    right->setObjectName(u"RightPanel"_s);
    right->setMinimumWidth(185);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(2, 2, 2, 2);

    auto *viewGroup = new QGroupBox(u"編集画面の設定"_s, right);
    auto *viewGrid = new QGridLayout(viewGroup);
    viewGrid->addWidget(new QLabel(u"表示フォント"_s, viewGroup), 0, 0, 1, 4);
    SelFontName = new QComboBox(viewGroup);
    SelFontName->setObjectName(u"SelFontName"_s);
    SelFontName->setMaxVisibleItems(20);
    viewGrid->addWidget(SelFontName, 1, 0, 1, 4);
    viewGrid->addWidget(new QLabel(u"表示フォントサイズ"_s, viewGroup), 2, 0, 1, 4);
    SelFontSize = namedSpinBox(viewGroup, u"SelFontSize"_s, 0, 100, 10);
    viewGrid->addWidget(SelFontSize, 3, 1, 1, 2);
    viewGrid->addWidget(new QLabel(u"ポイント"_s, viewGroup), 3, 3);
    viewGrid->addWidget(new QLabel(u"文字ラインの位置"_s, viewGroup), 4, 0, 1, 4);
    viewGrid->addWidget(new QLabel(u"全角"_s, viewGroup), 5, 0);
    CharPosValue = namedSpinBox(viewGroup, u"CharPosValue"_s, 0, 100, 10);
    viewGrid->addWidget(CharPosValue, 5, 1, 1, 2);
    viewGrid->addWidget(new QLabel(u"文字"_s, viewGroup), 5, 3);
    rightLayout->addWidget(viewGroup);

    auto *cmtGroup = new QGroupBox(u"コメント行ジャンプ認識候補"_s, right);
    auto *cmtLayout = new QVBoxLayout(cmtGroup);
    cmtLayout->setContentsMargins(4, 4, 2, 4);
    const auto addCmt = [&](QCheckBox *&box, const QString &name, const QString &caption,
                            bool checked) {
        box = new QCheckBox(caption, cmtGroup);
        box->setObjectName(name);
        box->setChecked(checked);
        cmtLayout->addWidget(box);
    };
    addCmt(Cmt1, u"Cmt1"_s, u"単純コメント [ <- ] "_s, true);
    addCmt(Cmt2, u"Cmt2"_s, u"ジャンプ用コメント [ <-◆ ] "_s, false);
    addCmt(Cmt3, u"Cmt3"_s, u"説明用コメント [ <-● ] "_s, false);
    addCmt(Cmt4, u"Cmt4"_s, u"交代用コメント [ <-■ ] "_s, false);
    rightLayout->addWidget(cmtGroup);

    auto *sendGroup = new QGroupBox(u"送信コマンド"_s, right);
    auto *sendLayout = new QVBoxLayout(sendGroup);
    auto *handleRow = new QHBoxLayout;
    auto *hwndLabel = new QLabel(u"HWND"_s, sendGroup);
    hwndLabel->setEnabled(false);
    handleRow->addWidget(hwndLabel);
    SendHandle = new QLineEdit(u"0x0000000"_s, sendGroup);
    SendHandle->setObjectName(u"SendHandle"_s);
    SendHandle->setEnabled(false);
    handleRow->addWidget(SendHandle, 1);
    sendLayout->addLayout(handleRow);
    Button1 = new QPushButton(u"入力ウィンドウ特定"_s, sendGroup);
    Button1->setObjectName(u"Button1"_s);
    sendLayout->addWidget(Button1);
    for (const QString &text : {u"●EditSendと同等の機能を"_s, u"提供します。"_s,
                                u"F1で１行送信します。"_s, u"使用前にウィンドウを特定"_s,
                                u"してください。"_s})
        sendLayout->addWidget(guidanceLabel(text, sendGroup));
    sendLayout->addWidget(new QLabel(u"送信方法"_s, sendGroup));
    SendMethod = new QComboBox(sendGroup);
    SendMethod->setObjectName(u"SendMethod"_s);
    SendMethod->addItems({u"IPtalk/まぁちゃん向け"_s, u"Word/メモ帳向け"_s});
    sendLayout->addWidget(SendMethod);
    rightLayout->addWidget(sendGroup);
    rightLayout->addStretch(1);
    rightScroll->setWidget(right);

    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    // The navy handle is painted through its palette: a style sheet on the
    // splitter would keep the window font from reaching the widgets inside.
    if (QSplitterHandle *handle = Splitter1->handle(1)) {
        QPalette pal = handle->palette();
        pal.setColor(QPalette::Window, Qt::darkBlue);
        handle->setPalette(pal);
        handle->setAutoFillBackground(true);
    }

    connect(SelFontName, &QComboBox::activated, this, &TForm1::SelFontNameSelect);
    connect(SelFontSize, &QSpinBox::valueChanged, this, &TForm1::SelFontSizeChange);
    connect(CharPosValue, &QSpinBox::valueChanged, this, &TForm1::CharPosValueChange);
    connect(QueJump, &QComboBox::activated, this, &TForm1::QueJumpSelect);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Splitter1, &QSplitter::splitterMoved, this, &TForm1::Splitter1Moved);
    connect(RichEdit1, &RollEditor::inputHandled, this, &TForm1::updateCaretStatus);
    // Scrolling by the scroll bar moves the caret line too.
    connect(RichEdit1->verticalScrollBar(), &QScrollBar::valueChanged, this, &TForm1::placeCaretBar);
}

void TForm1::setStatusText(const QString &text)
{
    StatusBar1->setText(text);
    Q_EMIT statusTextChanged(text);
}

QString TForm1::statusText() const
{
    return StatusBar1->text();
}

CommentKinds TForm1::commentKinds() const
{
    return CommentKinds{Cmt1->isChecked(), Cmt2->isChecked(), Cmt3->isChecked(),
                        Cmt4->isChecked()};
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // The bars live over the editor: keep them as high / as wide as it is.
    m_view->followEditorSize();
}

