#include "support/TestSupport.h"

QString testDataPath(const QString &name)
{
    // The environment wins (CTest sets it); a test started by hand finds the
    // fixtures of the tree it was built from.
    const QString dir = qEnvironmentVariable("VELMAT_TEST_DATA", QStringLiteral(VELMAT_TEST_DATA_DIR));
    return dir + QLatin1Char('/') + name;
}
