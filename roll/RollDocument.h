#pragma once
// The roll as the editor holds it: one block per roll line.
#include <QStringList>

class QTextDocument;

// The lines of the document, in order (an empty document has no lines).
QStringList documentLines(const QTextDocument &document);

// The roll's lines as commands read them: like documentLines, but a final line
// break does not start another (empty) line, as a roll file has no such line.
QStringList rollLines(const QTextDocument &document);
