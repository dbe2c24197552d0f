#pragma once
#include "reshape/WidthCheckSettings.h"
#include "widgets/ToolWindow.h"

class QComboBox;
class QSpinBox;

// The width-check settings: caption screen width, font and size.
class TSetCheck : public ToolWindow {
    Q_OBJECT
public:
    TSetCheck();

    QSpinBox *SetCheckWidth; // caption screen width in pixels
    QSpinBox *SelFontSize;   // caption font size in points
    QComboBox *SelFont;      // editable: whatever text it holds is the font name

    // The values the width check and the pixel reshape use.
    WidthCheckSettings settings() const;
    // Sets the controls (the font name whatever it is: the box is editable).
    void applySettings(const WidthCheckSettings &settings);
    // Takes width, font and size from an IPtalk settings file the user picks;
    // a file that cannot be read whole changes nothing and says why.
    void importIPtalkSettings();

Q_SIGNALS:
    // Any of the three values changed, by the user or by applySettings.
    void settingsChanged(const WidthCheckSettings &settings);
};
