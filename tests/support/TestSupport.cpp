#include "support/TestSupport.h"

#include "analysis/ChasenRunner.h"
#include "analysis/MorphemeDigest.h"

#include <QFile>

QString testDataPath(const QString &name)
{
    // The environment wins (CTest sets it); a test started by hand finds the
    // fixtures of the tree it was built from.
    const QString dir = qEnvironmentVariable("VELMAT_TEST_DATA", QStringLiteral(VELMAT_TEST_DATA_DIR));
    return dir + QLatin1Char('/') + name;
}

QString testDataText(const QString &name)
{
    QFile file(testDataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

QString writeTestFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture %s", qPrintable(path));
    return path;
}

QStringList analyserRecords(const QStringList &roll)
{
    MorphemeDigest digest;
    const ChasenResult run = runChasen(kTestChasen, roll, CommentKinds{}, {},
                                       [&digest](QByteArrayView records) { digest.add(records); });
    if (run.status != ChasenResult::Status::Ok)
        qFatal("ChaSen failed: %s", qPrintable(run.detail));
    return digest.lines();
}
