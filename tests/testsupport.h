#pragma once

#include <QDir>
#include <QFile>
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

// The bytes of a file, or "<unreadable>" when it cannot be opened.
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
