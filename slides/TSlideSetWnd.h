#pragma once
#include "widgets/ToolWindow.h"
#include "slides/SlideFile.h"

#include <array>

class ColourBox;
class QCheckBox;
class QFrame;
class QSpinBox;

// Settings of the roll-to-slide conversion, shown modally. The values last
// while the program runs.
class TSlideSetWnd : public ToolWindow {
    Q_OBJECT
public:
    TSlideSetWnd();

    QSpinBox *PageHeight; // page width ("横"), under its designer name
    QSpinBox *PageWidth;  // page height ("縦")
    QSpinBox *PageTop;    // horizontal position
    QSpinBox *PageLeft;   // vertical position
    QSpinBox *SelFontSize;
    ColourBox *PageColor;
    ColourBox *FontColor;
    QCheckBox *ConvertColorCode;
    std::array<QFrame *, 8> cl{};

    SlideSettings settings() const;
    void setCodeColour(int code, int colourRef); // code 1…8

    // Shows the window modally; true when "開始" was pressed.
    bool runModal();

public Q_SLOTS:
    void Button1Click(); // "開始"
    void Button2Click(); // "キャンセル"

Q_SIGNALS:
    void finished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::array<int, 8> m_codeColours{};
    bool m_accepted = false;
};
