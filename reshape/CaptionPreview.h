#pragma once
// The caret line and its neighbours as the caption screen shows them: each
// line's width in the caption font and how much of it fits on the screen.
#include "reshape/WidthModel.h"

#include <QList>
#include <QString>
#include <QStringList>

struct PreviewLine {
    QString text;
    bool comment = false; // never sent, so never on the screen
    qint64 width = 0;     // of the whole text, in the model's units
    // Length in UTF-16 units of the part that fits within the screen; the rest
    // overflows. Never splits a character (surrogate pair or combined marks).
    // A comment line is never marked: it fits whole.
    qsizetype fitting = 0;
    bool overflows() const { return fitting < text.size(); }
    bool operator==(const PreviewLine &) const = default;
};

// `lines` in order, measured by `model` against `screenWidth`.
QList<PreviewLine> previewLines(const QStringList &lines, WidthModel &model, qint64 screenWidth);

// The end of each user-perceived character of `text`, in UTF-16 units: the
// places where a line may be cut for the screen.
QList<qsizetype> characterEnds(QStringView text);
