#pragma once
// The line-number gutter left of the roll editor. It keeps no text of its own:
// every paint draws the labels of the editor's lines in view, at the heights
// the editor draws them, so the numbers scroll with the roll, a paint costs
// only the visible lines, and a line that is gone has no number.
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class RollEditor;

class LineNumberGutter : public QWidget {
    Q_OBJECT
public:
    // Follows `editor` for its whole life (both belong to the main window).
    LineNumberGutter(RollEditor *editor, QWidget *parent);

    // Line numbers, or slide labels with `rowsPerSlide` rows a slide (see
    // gutterLabel); repaints.
    void setSlideMode(bool on, int rowsPerSlide);
    bool slideMode() const { return m_slideMode; }
    int rowsPerSlide() const { return m_rowsPerSlide; }

    // One label and the band it is drawn in, in gutter coordinates.
    struct Row {
        QString label;
        QRect rect;
    };
    // The rows drawn now, top to bottom: one for each editor line that shows
    // in the editor's viewport.
    QList<Row> visibleRows() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void editorUpdated(const QRect &rect, int dy);
    int viewportOffset() const;

    RollEditor *m_editor;
    bool m_slideMode = false;
    int m_rowsPerSlide = 10;
};
