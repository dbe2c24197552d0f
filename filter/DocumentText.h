#pragma once
// The text of office documents from their XML parts, one paragraph (or table
// row) per line. Only what a reader would see as running text: formatting,
// tab-stop definitions and phonetic guides are left out.
#include <QByteArray>
#include <QString>
#include <QStringList>

// word/document.xml of a .docx: one line per w:p, w:tab as a tab, w:br and w:cr
// as line breaks.
QStringList wordDocumentLines(const QByteArray &xml);

// content.xml of an OpenDocument (or older office zip) file: one line per
// text:p or text:h, text:s as blanks, text:tab, text:line-break; annotations left out.
QStringList openDocumentLines(const QByteArray &xml);

// ppt/slides/slideN.xml of a .pptx: one line per a:p, a:br as a line break.
QStringList slideLines(const QByteArray &xml);

// xl/sharedStrings.xml of a .xlsx: the strings in index order, without their
// phonetic readings (rPh).
QStringList sharedStrings(const QByteArray &xml);

// xl/worksheets/sheetN.xml: one line per row, cells separated by tabs at their
// column positions; shared strings resolved through `strings`.
QStringList sheetLines(const QByteArray &xml, const QStringList &strings);
