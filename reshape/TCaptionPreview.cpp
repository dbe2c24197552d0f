#include "reshape/TCaptionPreview.h"

#include "platform/Fonts.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 2 * TCaptionPreview::kLinesAround + 1;
constexpr int kMargin = 6;              // pane pixels around the screen box
constexpr qreal kOverflowRoom = 0.2;    // share of the pane's width kept right of the box for overflow
// The scale a first opening aims at: smaller, the caption font is hard to read.
constexpr qreal kReadableScale = 0.5;
const QColor kScreen(16, 18, 24);
const QColor kCaretBand(38, 62, 104);
const QColor kCaptionText(240, 240, 240);
const QColor kCommentText(120, 120, 120);
const QColor kOverflow(230, 30, 30);

} // namespace

// Draws the screen box at the screen's scale: the text in the caption font at
// its real pixel size under a scaled painter, so proportions are the screen's.
// Characters are placed at the widths the check measures, so what shows past
// the edge is exactly what the check counts as over.
class CaptionScreenView : public QWidget {
public:
    explicit CaptionScreenView(QWidget *parent) : QWidget(parent)
    {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumHeight(40);
    }

    void setScreen(const WidthCheckSettings &settings)
    {
        m_screenWidth = std::max(1, settings.screenWidth);
        m_font = fontAt96Dpi(settings.font, settings.points);
        const QFontMetrics metrics(m_font);
        m_pitch = std::max(1, metrics.lineSpacing());
        m_ascent = metrics.ascent();
        update();
    }

    void setLines(const QList<PreviewLine> *lines, int caretRow, WidthModel *measure)
    {
        m_lines = lines;
        m_caretRow = caretRow;
        m_measure = measure;
        update();
    }

    qreal scale() const
    {
        const qreal byHeight = qreal(height() - 2 * kMargin) / boxHeight();
        return std::clamp(std::min(scaleByWidth(width()), byHeight), 0.01, 1.0);
    }

    // The view's height that draws the screen box at `target` scale, or at
    // the scale the width `width` allows when that is smaller.
    int heightFor(qreal target, int width) const
    {
        const qreal s = std::clamp(std::min(target, scaleByWidth(width)), 0.01, 1.0);
        return int(std::ceil(boxHeight() * s)) + 2 * kMargin;
    }

    QSize sizeHint() const override { return {560, 150}; }

    std::function<void()> resized;

protected:
    void resizeEvent(QResizeEvent *) override
    {
        if (resized)
            resized();
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal s = scale();
        painter.translate(kMargin, kMargin);
        painter.scale(s, s);
        painter.fillRect(QRectF(0, 0, m_screenWidth, boxHeight()), kScreen);
        bool overflow = false;
        if (m_lines && m_measure) {
            painter.setFont(m_font);
            const qreal clipRight = (width() - kMargin) / s;
            for (int row = 0; row < kRows; ++row) {
                const int index = m_caretRow + row - TCaptionPreview::kLinesAround;
                if (index < 0 || index >= m_lines->size())
                    continue;
                const PreviewLine &line = m_lines->at(index);
                const qreal top = padding() + row * m_pitch;
                if (index == m_caretRow)
                    painter.fillRect(QRectF(0, top, m_screenWidth, m_pitch), kCaretBand);
                drawLine(painter, line, top + m_ascent, clipRight);
                overflow = overflow || line.overflows();
            }
        }
        // The screen's right edge: red where a shown line runs past it.
        painter.resetTransform();
        const qreal edge = kMargin + m_screenWidth * s;
        painter.setPen(QPen(overflow ? kOverflow : palette().color(QPalette::Mid), overflow ? 2 : 1));
        painter.drawLine(QPointF(edge, kMargin), QPointF(edge, kMargin + boxHeight() * s));
    }

private:
    qreal scaleByWidth(int width) const { return (width * (1 - kOverflowRoom) - kMargin) / m_screenWidth; }
    qreal padding() const { return m_pitch / 4.0; }
    qreal boxHeight() const { return kRows * m_pitch + 2 * padding(); }

    void drawLine(QPainter &painter, const PreviewLine &line, qreal baseline, qreal clipRight)
    {
        const QColor body = line.comment ? kCommentText : kCaptionText;
        qint64 x = 0;
        qsizetype start = 0;
        for (const qsizetype end : characterEnds(line.text)) {
            if (x > clipRight)
                break; // the rest is outside the pane
            const QStringView character = QStringView(line.text).sliced(start, end - start);
            painter.setPen(end > line.fitting ? kOverflow : body);
            painter.drawText(QPointF(qreal(x), baseline), character.toString());
            x += m_measure->width(character);
            start = end;
        }
    }

    const QList<PreviewLine> *m_lines = nullptr;
    int m_caretRow = -1;
    WidthModel *m_measure = nullptr;
    int m_screenWidth = 640;
    QFont m_font;
    int m_pitch = 1;
    int m_ascent = 0;
};

TCaptionPreview::TCaptionPreview(QWidget *parent)
    : QDockWidget(u"字幕プレビュー"_s, parent)
{
    setObjectName(u"CaptionPreview"_s);
    // A pane under the editor only: it has nowhere else to go and no place
    // of its own to remember.
    setFeatures(QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::BottomDockWidgetArea);

    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(0);
    m_caption = new QLabel(body);
    m_caption->setObjectName(u"PreviewCaption"_s);
    layout->addWidget(m_caption);
    m_view = new CaptionScreenView(body);
    m_view->setObjectName(u"PreviewScreen"_s);
    m_view->resized = [this] { updateCaption(); };
    layout->addWidget(m_view, 1);
    setWidget(body);

    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(0);
    connect(m_refresh, &QTimer::timeout, this, &TCaptionPreview::refresh);

    setSettings(m_settings);
}

TCaptionPreview::~TCaptionPreview() = default;

void TCaptionPreview::setSource(std::function<CaretExcerpt()> source)
{
    m_source = std::move(source);
    scheduleRefresh();
}

void TCaptionPreview::setSettings(const WidthCheckSettings &settings)
{
    if (m_measure && settings == m_settings)
        return;
    m_settings = settings;
    m_measure.reset();
    m_lines.clear();
    m_caretRow = -1;
    m_view->setLines(&m_lines, m_caretRow, nullptr);
    m_view->setScreen(settings);
    updateCaption();
    scheduleRefresh();
}

void TCaptionPreview::scheduleRefresh()
{
    if (isVisible())
        m_refresh->start();
}

qreal TCaptionPreview::scale() const
{
    return m_view->scale();
}

QString TCaptionPreview::caption() const
{
    return m_caption->text();
}

void TCaptionPreview::showEvent(QShowEvent *event)
{
    QDockWidget::showEvent(event);
    scheduleRefresh(); // nothing was followed while hidden
}

void TCaptionPreview::hideEvent(QHideEvent *event)
{
    QDockWidget::hideEvent(event);
    m_keptHeight = height();
}

int TCaptionPreview::heightToKeep() const
{
    return isVisible() ? height() : m_keptHeight;
}

void TCaptionPreview::setKeptHeight(int height)
{
    m_keptHeight = std::max(0, height);
}

int TCaptionPreview::openingHeight(int paneWidth) const
{
    if (m_keptHeight > 0)
        return m_keptHeight;
    // The title and the caption line take what the view does not; measured
    // from the hints, as a pane not laid out yet has no sizes of its own.
    const int chrome = std::max(0, sizeHint().height() - m_view->sizeHint().height());
    const int sides = std::max(0, sizeHint().width() - m_view->sizeHint().width());
    return chrome + m_view->heightFor(kReadableScale, paneWidth - sides);
}

void TCaptionPreview::closeEvent(QCloseEvent *event)
{
    QDockWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closedByUser();
}

void TCaptionPreview::refresh()
{
    if (!isVisible() || !m_source)
        return;
    if (!m_measure)
        m_measure = std::make_unique<PixelWidth>(m_settings.font, m_settings.points);
    const CaretExcerpt excerpt = m_source();
    m_lines = previewLines(excerpt.lines, *m_measure, m_settings.screenWidth);
    m_caretRow = excerpt.caretRow;
    m_view->setLines(&m_lines, m_caretRow, m_measure.get());
    updateCaption();
}

void TCaptionPreview::updateCaption()
{
    QString text = u"%1ピクセル・%2 %3pt・縮尺 %4%"_s.arg(QString::number(m_settings.screenWidth), m_settings.font,
                                                           QString::number(m_settings.points),
                                                           QString::number(qRound(scale() * 100)));
    if (m_caretRow >= 0 && m_caretRow < m_lines.size()) {
        const PreviewLine &caretLine = m_lines.at(m_caretRow);
        if (caretLine.overflows())
            text += u"・この行は%1ピクセルオーバー"_s.arg(caretLine.width - m_settings.screenWidth);
    }
    m_caption->setText(text);
}
