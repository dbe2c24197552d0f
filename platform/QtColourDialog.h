#pragma once
#include "platform/ColourDialog.h"

// Qt's colour dialog over the active window.
class QtColourDialog : public ColourDialog {
public:
    QColor choose(const QString &caption, const QColor &initial) override;
};
