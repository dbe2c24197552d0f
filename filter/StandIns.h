#pragma once
// Common characters that code page 932 cannot hold but that have an obvious
// stand-in it can: list bullets, dashes, the typographic blanks and invisible
// formatting marks office programs put into running text.
#include <QString>

// `text` with every such character replaced by its stand-in (invisible marks
// by nothing). Characters without one are left for the encoder, which turns
// them into '?' and has them counted.
QString withStandIns(QString text);
