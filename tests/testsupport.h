#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

// Shared helpers of the test executables.
namespace testsupport {

inline QString dataPath(const QString &name)
{
    return QStringLiteral(KORVEL_TEST_DATA "/") + name;
}

} // namespace testsupport
