#pragma once
// The real printer dialogs, modal over the active window.
#include "platform/PrintDialogs.h"

class QtPrintDialogs : public PrintDialogs {
public:
    std::optional<QString> setupPrinter(QPrinter &printer) override;
    bool preview(QPrinter &printer, const std::function<void(QPrinter &)> &paint,
                 const QString &caption) override;
};
