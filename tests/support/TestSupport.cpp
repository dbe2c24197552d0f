#include "support/TestSupport.h"

QString testDataPath(const QString &name)
{
    return qEnvironmentVariable("VELMAT_TEST_DATA") + QLatin1Char('/') + name;
}
