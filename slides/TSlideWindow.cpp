#include "slides/TSlideWindow.h"

#include "platform/Prompter.h"
#include "roll/RollAccess.h"
#include "widgets/ColourBox.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

using namespace Qt::StringLiterals;

// The page image, scaled to fit with its proportions kept.
class SlidePreview : public QWidget {
public:
    using QWidget::QWidget;
    QImage image;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (image.isNull())
            return;
        QSize size = image.size().scaled(this->size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image);
    }
};

namespace {

// Records may name any size; the preview image stays within this bound and
// shows a larger page scaled down.
constexpr int kPreviewSide = 2000;
// A font beyond this size draws nothing useful and costs much.
constexpr int kPreviewFontPoints = 1000;

QSpinBox *anySpinBox(QWidget *parent, const QString &name, int value)
{
    return namedSpinBox(parent, name, INT_MIN, INT_MAX, value);
}

QComboBox *modeBox(QWidget *parent, const QString &name, const QString &absolute, const QString &relative)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems({absolute, relative});
    return box;
}

QFont previewFont(int points)
{
    QFont font;
    if (points > 0)
        font.setPointSizeF(std::min(points, kPreviewFontPoints));
    return font;
}

} // namespace

TSlideWindow::TSlideWindow(RollAccess &roll)
    : ToolWindow(u"SlideWindow"_s, u"スライド編集"_s, 0x4000, Qt::Window), m_roll(roll)
{
    auto *layout = new QVBoxLayout(this);
    auto *menu = new QMenuBar(this);
    Reload1 = menu->addAction(u"再読み込み(&Reload)"_s);
    Reload1->setObjectName(u"Reload1"_s);
    connect(Reload1, &QAction::triggered, this, &TSlideWindow::Reload1Click);
    layout->setMenuBar(menu);

    auto *split = new QSplitter(this);
    auto *left = new QWidget(split);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    PageList = new QListWidget(left);
    PageList->setObjectName(u"PageList"_s);
    StringList = new QListWidget(left);
    StringList->setObjectName(u"StringList"_s);
    leftLayout->addWidget(new QLabel(u"　ページリスト"_s, left));
    leftLayout->addWidget(PageList);
    leftLayout->addWidget(new QLabel(u"　文字リスト"_s, left));
    leftLayout->addWidget(StringList);
    // A click shows the entry again (the roll may have changed); the arrow
    // keys move the choice without a click.
    connect(PageList, &QListWidget::itemClicked, this, &TSlideWindow::PageListClick);
    connect(PageList, &QListWidget::currentRowChanged, this, &TSlideWindow::PageListClick);
    connect(StringList, &QListWidget::itemClicked, this, &TSlideWindow::StringListClick);
    connect(StringList, &QListWidget::currentRowChanged, this, &TSlideWindow::StringListClick);

    auto *right = new QWidget(split);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    ViewImage = new SlidePreview(right);
    ViewImage->setObjectName(u"ViewImage"_s);
    ViewImage->setMinimumSize(320, 240);
    rightLayout->addWidget(ViewImage, 1);
    Tabs = new QTabWidget(right);
    rightLayout->addWidget(Tabs);

    auto *pageTab = new QWidget;
    auto *pageForm = new QFormLayout(pageTab);
    PageTitle = new QLineEdit(pageTab);
    PageTitle->setObjectName(u"PageTitle"_s);
    PageWidth = anySpinBox(pageTab, u"PageWidth"_s, 480);
    PageHeight = anySpinBox(pageTab, u"PageHeight"_s, 640);
    PageLeft = anySpinBox(pageTab, u"PageLeft"_s, 0);
    PageTop = anySpinBox(pageTab, u"PageTop"_s, 0);
    PageColor = new ColourBox(pageTab);
    PageColor->setObjectName(u"PageColor"_s);
    PageColor->setColourRef(SlideColours::Black);
    Button1 = new QPushButton(u"適用"_s, pageTab);
    Button1->setObjectName(u"Button1"_s);
    auto pair = [](QWidget *parent, const QString &a, QWidget *first, const QString &b, QWidget *second) {
        auto *row = new QWidget(parent);
        auto *h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(new QLabel(a, row));
        h->addWidget(first, 1);
        if (!b.isEmpty())
            h->addWidget(new QLabel(b, row));
        h->addWidget(second, 1);
        return row;
    };
    pageForm->addRow(u"ページタイトル"_s, PageTitle);
    pageForm->addRow(u"画面のサイズ"_s, pair(pageTab, u"横"_s, PageWidth, u"縦"_s, PageHeight));
    pageForm->addRow(u"左上の座標（位置）"_s, pair(pageTab, u"横"_s, PageLeft, u"縦"_s, PageTop));
    pageForm->addRow(u"背景色"_s, PageColor);
    pageForm->addRow(QString(), Button1);

    auto *stringTab = new QWidget;
    auto *stringForm = new QFormLayout(stringTab);
    StringTopMode = modeBox(stringTab, u"StringTopMode"_s, u"縦座標"_s, u"縦改行"_s);
    StringTop = anySpinBox(stringTab, u"StringTop"_s, 0);
    StringLeftMode = modeBox(stringTab, u"StringLeftMode"_s, u"横座標"_s, u"横改行"_s);
    StringLeft = anySpinBox(stringTab, u"StringLeft"_s, 0);
    FontColor = new ColourBox(stringTab);
    FontColor->setObjectName(u"FontColor"_s);
    FontColor->setColourRef(SlideColours::Black);
    FontSize = anySpinBox(stringTab, u"FontSize"_s, 0);
    ViewText = new QLineEdit(stringTab);
    ViewText->setObjectName(u"ViewText"_s);
    Button2 = new QPushButton(u"適用"_s, stringTab);
    Button2->setObjectName(u"Button2"_s);
    auto *position = new QWidget(stringTab);
    auto *positionGrid = new QHBoxLayout(position);
    positionGrid->setContentsMargins(0, 0, 0, 0);
    positionGrid->addWidget(StringTopMode);
    positionGrid->addWidget(StringTop, 1);
    positionGrid->addWidget(StringLeftMode);
    positionGrid->addWidget(StringLeft, 1);
    auto *size = new QWidget(stringTab);
    auto *sizeRow = new QHBoxLayout(size);
    sizeRow->setContentsMargins(0, 0, 0, 0);
    sizeRow->addWidget(FontSize, 1);
    sizeRow->addWidget(new QLabel(u"ｐｔ"_s, size));
    stringForm->addRow(u"左上の座標（位置）"_s, position);
    stringForm->addRow(u"文字色"_s, FontColor);
    stringForm->addRow(u"文字サイズ"_s, size);
    stringForm->addRow(u"表示する文字"_s, ViewText);
    stringForm->addRow(QString(), Button2);

    Tabs->addTab(pageTab, u"ページのプロパティ"_s);
    Tabs->addTab(stringTab, u"文字のプロパティ"_s);
    Tabs->setCurrentIndex(1);
    connect(Button1, &QPushButton::clicked, this, &TSlideWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSlideWindow::Button1Click);

    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    layout->addWidget(split);
    resize(900, 640);
}

QImage TSlideWindow::previewImage() const
{
    return ViewImage->image;
}

void TSlideWindow::Reload1Click()
{
    PageList->clear();
    StringList->clear();
    const QStringList lines = m_roll.lines();
    for (const SlidePageLines &page : slidePages(lines))
        PageList->addItem(readSlidePage(lines.at(page.pageLine)).title);
}

void TSlideWindow::PageListClick()
{
    StringList->clear();
    m_shownPageRecord.clear();
    m_shownStringRecord.clear();
    const int index = PageList->currentRow();
    const QStringList lines = m_roll.lines();
    const QList<SlidePageLines> pages = slidePages(lines);
    if (index < 0 || index >= pages.size())
        return; // the roll changed under the list: nothing of it is shown
    const SlidePageLines &page = pages.at(index);
    m_shownPageRecord = lines.at(page.pageLine);
    const SlidePageProps props = readSlidePage(m_shownPageRecord);
    PageTitle->setText(props.title);
    PageColor->setColourRef(props.colour);
    PageLeft->setValue(props.left);
    PageTop->setValue(props.top);
    PageWidth->setValue(props.width);
    PageHeight->setValue(props.height);
    for (const int line : page.stringLines)
        StringList->addItem(slideTrimmed(slideFields(lines.at(line)).value(0)));
    drawPreview(lines, page, props);
    if (StringList->count() > 0) {
        StringList->setCurrentRow(0);
        StringListClick(); // shown even when row 0 was current already
    }
}

void TSlideWindow::StringListClick()
{
    const QStringList lines = m_roll.lines();
    const QList<SlidePageLines> pages = slidePages(lines);
    const int pageIndex = PageList->currentRow();
    const int index = StringList->currentRow();
    if (pageIndex < 0 || pageIndex >= pages.size() || index < 0 || index >= pages.at(pageIndex).stringLines.size())
        return;
    m_shownStringRecord = lines.at(pages.at(pageIndex).stringLines.at(index));
    const SlideStringProps props = readSlideString(m_shownStringRecord);
    ViewText->setText(props.text);
    FontColor->setColourRef(props.colour);
    StringTopMode->setCurrentIndex(props.top.relative ? 1 : 0);
    StringTop->setValue(props.top.value);
    StringLeftMode->setCurrentIndex(props.left.relative ? 1 : 0);
    StringLeft->setValue(props.left.value);
    FontSize->setValue(props.fontSize);
}

SlidePageProps TSlideWindow::pageProps() const
{
    return {PageTitle->text(),  PageColor->colourRef(), PageLeft->value(),
            PageTop->value(),   PageWidth->value(),     PageHeight->value()};
}

SlideStringProps TSlideWindow::stringProps() const
{
    return {ViewText->text(),
            {StringLeftMode->currentIndex() == 1, StringLeft->value()},
            {StringTopMode->currentIndex() == 1, StringTop->value()},
            FontSize->value(),
            FontColor->colourRef()};
}

void TSlideWindow::Button1Click()
{
    const int page = PageList->currentRow();
    if (page < 0)
        return;
    const QStringList before = m_roll.lines();
    const int string = StringList->currentRow();
    // The numbers shown count records of the roll as it was: after an edit
    // above them they point at other records, which must not be overwritten.
    const QList<SlidePageLines> pages = slidePages(before);
    bool stillShown = page < pages.size() && before.at(pages.at(page).pageLine) == m_shownPageRecord;
    if (stillShown && string >= 0) {
        const QList<int> &strings = pages.at(page).stringLines;
        stillShown = string < strings.size() && before.at(strings.at(string)) == m_shownStringRecord;
    }
    if (!stillShown) {
        showMessage(u"ロールが変更され、表示中のページや文字がロールの同じ位置にありません。書き込みませんでした。\r\n"
                    u"ページリストを読み込み直したので、ページを選び直してください。"_s,
                    windowTitle(), MsgIcon::Warning);
        Reload1Click();
        return;
    }
    QStringList after = before;
    if (!applySlideEdit(after, page, pageProps(), string, stringProps()))
        return;
    // One undo step over the lines that changed, so the rest of the roll is
    // not even touched.
    int first = 0;
    while (first < before.size() && before.at(first) == after.at(first))
        ++first;
    if (first < before.size()) {
        int last = int(before.size()) - 1;
        while (before.at(last) == after.at(last))
            --last;
        int from = 0;
        for (int i = 0; i < first; ++i)
            from += int(before.at(i).size()) + 1;
        int to = from;
        for (int i = first; i <= last; ++i)
            to += int(before.at(i).size()) + (i < last ? 1 : 0);
        m_roll.replaceAsOneStep(from, to, after.mid(first, last - first + 1).join(u'\n'));
    }
    PageList->item(page)->setText(readSlidePage(after.at(pages.at(page).pageLine)).title);
    PageListClick();
}

void TSlideWindow::drawPreview(const QStringList &lines, const SlidePageLines &page, const SlidePageProps &props)
{
    if (props.width <= 0 || props.height <= 0) {
        ViewImage->image = QImage();
        ViewImage->update();
        return;
    }
    const double scale = std::min(1.0, double(kPreviewSide) / std::max(props.width, props.height));
    QImage image(std::max(1, int(props.width * scale)), std::max(1, int(props.height * scale)),
                 QImage::Format_RGB32);
    image.fill(colourOfRef(props.colour));
    QPainter painter(&image);
    painter.scale(scale, scale);
    const auto cell = [](int points) {
        const QFontMetricsF metrics(previewFont(points));
        const QRectF box = metrics.boundingRect(u"増"_s);
        return SlideCell{metrics.horizontalAdvance(u"増"_s), std::max(box.height(), metrics.height())};
    };
    for (const SlidePreviewItem &item : layoutSlidePage(lines, page, cell)) {
        if (item.fontSize <= 0 || item.text.isEmpty())
            continue;
        // Far outside the page nothing shows; skipping keeps QPainter's
        // integer coordinates safe.
        if (std::abs(item.x) > 1e6 || std::abs(item.y) > 1e6)
            continue;
        const QFont font = previewFont(item.fontSize);
        painter.setFont(font);
        painter.setPen(colourOfRef(item.colour));
        const QFontMetricsF metrics(font);
        painter.drawText(QPointF(item.x, item.y + metrics.ascent()), item.text);
    }
    painter.end();
    ViewImage->image = image;
    ViewImage->update();
}
