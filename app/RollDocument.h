#pragma once
// The roll as the editor holds it: one block per roll line.
#include <QStringList>

class QTextDocument;

// The lines of the document, in order (an empty document has no lines).
QStringList documentLines(const QTextDocument &document);
