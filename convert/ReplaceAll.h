#pragma once
// Replace-all in one pass. QString::replace moves the rest of the text at
// every match when the replacement is shorter, which is quadratic on a big
// roll; this builds the result once. Matches are found left to right without
// overlapping, exactly as QString::replace finds them.
#include <QString>
#include <QStringView>

// `text` with every occurrence of `from` (not empty) replaced by `to`.
QString replaceAll(const QString &text, QStringView from, QStringView to);
