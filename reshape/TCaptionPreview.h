#pragma once
// The caption preview pane: the caret line and its neighbours drawn as the
// caption screen will show them, in the width check's font and screen width,
// scaled down to fit the pane, with the part past the screen's edge in red.
#include "reshape/CaptionPreview.h"
#include "reshape/WidthCheckSettings.h"

#include <QDockWidget>

#include <functional>
#include <memory>

class CaptionScreenView;
class QLabel;
class QTimer;

// The lines the pane shows: the caret line with its neighbours in order.
struct CaretExcerpt {
    QStringList lines;
    int caretRow = -1; // index of the caret line in `lines`
};

class TCaptionPreview : public QDockWidget {
    Q_OBJECT
public:
    // Lines shown above and below the caret line.
    static constexpr int kLinesAround = 2;

    explicit TCaptionPreview(QWidget *parent = nullptr);
    ~TCaptionPreview() override;

    // Where the lines come from. Asked only while the pane shows, once for
    // all the changes made in one pass of the event loop.
    void setSource(std::function<CaretExcerpt()> source);

    // What the pane shows now.
    const QList<PreviewLine> &shownLines() const { return m_lines; }
    int caretRow() const { return m_caretRow; }
    QString caption() const;
    // Screen pixels to pane pixels.
    qreal scale() const;

    // The pane's height to keep in the settings: as it is while shown, as it
    // was when last hidden, 0 when it never showed.
    int heightToKeep() const;
    // A height kept from an earlier session; 0: none.
    void setKeptHeight(int height);
    // The height the pane opens with at `paneWidth` pixels wide: the kept
    // one, else one that draws the caption screen at a readable scale.
    int openingHeight(int paneWidth) const;

public Q_SLOTS:
    void setSettings(const WidthCheckSettings &settings);
    // The caret moved or the roll changed: the pane follows once the events
    // in hand are handled. Nothing happens while it is hidden.
    void scheduleRefresh();

Q_SIGNALS:
    // The pane's own close box hid it.
    void closedByUser();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void refresh();
    void updateCaption();

    WidthCheckSettings m_settings;
    std::unique_ptr<WidthModel> m_measure; // made on first use after a settings change
    std::function<CaretExcerpt()> m_source;
    QList<PreviewLine> m_lines;
    int m_caretRow = -1;
    CaptionScreenView *m_view = nullptr;
    QLabel *m_caption = nullptr;
    QTimer *m_refresh = nullptr;
    int m_keptHeight = 0;
};
