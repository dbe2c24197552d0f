#pragma once
// Helpers shared by the tests.
#include <QString>

// Path of a fixture under tests/data.
QString testDataPath(const QString &name);
