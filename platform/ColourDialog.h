#pragma once
// The colour dialog behind a face, like the prompter: the program installs
// the Qt one, tests a ScriptedColourDialog that records what was asked.
#include <QColor>
#include <QString>

class ColourDialog {
public:
    virtual ~ColourDialog();

    // Asks for a colour starting at `initial`: the colour chosen, an invalid
    // colour when cancelled.
    virtual QColor choose(const QString &caption, const QColor &initial) = 0;

    // The process-wide dialog: without one installed, a scripted one that
    // answers "cancelled", so nothing blocks.
    static ColourDialog &instance();
    static ColourDialog *install(ColourDialog *dialog);
};
