#pragma once
// Saving lines as a Shift-JIS text file (CR LF after every line) the way every
// save of the program does it: ask before characters become "?", write
// through a temporary file, tell the user when the write failed.
#include <QStringList>

// False when the user declined or the file could not be written (the old
// file then stays as it was).
bool saveShiftJisLines(const QString &path, const QStringList &lines);
