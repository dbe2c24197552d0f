#pragma once
#include "widgets/ToolWindow.h"
#include "slides/SlideRecords.h"

#include <QImage>

class ColourBox;
class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class RollAccess;
class SlidePreview;

// Browses, previews and edits the pages of a slide held as the roll's lines.
// It reads the roll on every pass and writes through RollAccess only.
class TSlideWindow : public ToolWindow {
    Q_OBJECT
public:
    explicit TSlideWindow(RollAccess &roll);

    QAction *Reload1;
    QListWidget *PageList;
    QListWidget *StringList;
    SlidePreview *ViewImage;
    QTabWidget *Tabs;
    QLineEdit *PageTitle;
    QSpinBox *PageWidth;
    QSpinBox *PageHeight;
    QSpinBox *PageLeft;
    QSpinBox *PageTop;
    ColourBox *PageColor;
    QPushButton *Button1;
    QComboBox *StringTopMode;
    QSpinBox *StringTop;
    QComboBox *StringLeftMode;
    QSpinBox *StringLeft;
    ColourBox *FontColor;
    QSpinBox *FontSize;
    QLineEdit *ViewText;
    QPushButton *Button2;

    // The page as drawn last, at its own size (or scaled down to a bound).
    QImage previewImage() const;

public Q_SLOTS:
    void Reload1Click();
    void PageListClick();
    void StringListClick();
    // Both "適用" buttons. Writes only while the roll still holds, where the
    // page and string numbers point, the records that were shown; otherwise
    // says so and reloads the page list.
    void Button1Click();

private:
    SlidePageProps pageProps() const;
    SlideStringProps stringProps() const;
    void drawPreview(const QStringList &lines, const SlidePageLines &page, const SlidePageProps &props);

    RollAccess &m_roll;
    // The record lines as shown, to tell whether the roll changed under them.
    QString m_shownPageRecord;
    QString m_shownStringRecord;
};
