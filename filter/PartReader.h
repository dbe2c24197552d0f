#pragma once
// Reading one XML part of an office document: bytes that are not UTF-8 do not
// stop it, and a part that is damaged or cut short gives its text up to there,
// with the problem told through the document's reading.
#include "filter/DocumentText.h"

#include <QByteArray>
#include <QStringView>
#include <QXmlStreamReader>

class PartReader : public QXmlStreamReader {
public:
    PartReader(const QByteArray &xml, DocumentReading &reading);

    // The next token. At a premature end (a part cut short) the reader still
    // holds back the text it was in, waiting to see where it ends; one more
    // "<" lets that text out.
    TokenType next();

    // After the reading loop: an error stops the document's text here.
    void finish();

private:
    DocumentReading &m_reading;
    qint64 m_line = 0;
    QString m_error;
};

// An attribute by its local name, whatever prefix the producer gave it.
QStringView xmlAttribute(const QXmlStreamReader &reader, QStringView localName);
