#pragma once
#include "widgets/ToolWindow.h"

class QTabWidget;
class QTextBrowser;

// The program's version, its history, and the licences of what it uses and
// ships, with thanks to their makers.
class TAboutBox : public ToolWindow {
    Q_OBJECT
public:
    TAboutBox();

    QTabWidget *Pages;
    QTextBrowser *History;
    QTextBrowser *Licences;
};
