#pragma once
// The text of spreadsheets from their XML parts: one line per row, cells
// separated by tabs, the same lines from a .xlsx and an .ods of the same sheets.
#include "filter/DocumentText.h"

#include <QByteArray>
#include <QStringList>

// xl/sharedStrings.xml of a .xlsx: the strings in index order, without their
// phonetic readings (rPh).
QStringList sharedStrings(const QByteArray &xml, DocumentReading &reading);

// xl/worksheets/sheetN.xml: one line per row, cells separated by tabs at their
// column positions, empty rows between kept; shared strings resolved through
// `strings`. Returns `lines` (the sheets before) with the sheet's rows added,
// set off by a blank line when both have rows.
QStringList sheetLines(const QByteArray &xml, const QStringList &strings, DocumentReading &reading,
                       QStringList lines = {});

// content.xml of an OpenDocument spreadsheet: the same lines as sheetLines
// gives for the same sheets saved as .xlsx (one per row, cells separated by
// tabs, a cell's paragraphs as its lines, a blank line between sheets).
QStringList spreadsheetLines(const QByteArray &xml, DocumentReading &reading);
