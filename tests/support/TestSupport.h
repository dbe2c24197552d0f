#pragma once
// Helpers shared by the tests.
#include <QString>
#include <QStringList>

// Path of a fixture under tests/data.
QString testDataPath(const QString &name);

// The UTF-8 text of a fixture under tests/data; ends the test when it is missing.
QString testDataText(const QString &name);

// Writes `bytes` to `path` and returns the path; ends the test when it cannot.
QString writeTestFile(const QString &path, const QByteArray &bytes);

// The analyser the tests run (the set-up script installs it).
inline const QString kTestChasen = QStringLiteral("/usr/bin/chasen");

// The distinct record lines the analyser gives for `roll` (comment lines left
// out), as the editor keeps them; ends the test when the analyser fails.
QStringList analyserRecords(const QStringList &roll);
