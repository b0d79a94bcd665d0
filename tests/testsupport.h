#pragma once

#include "text/encoding.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <cstddef>

// Shared helpers of the test executables.
namespace testsupport {

inline QString dataPath(const QString &name)
{
    return QStringLiteral(KORVEL_TEST_DATA "/") + name;
}

} // namespace testsupport

// The rows of a data-driven test given as one table of structs: each becomes a data row named
// by its member why, fetched with QFETCH(Row, row).
template <typename Row, std::size_t N>
void addRows(const Row (&rows)[N])
{
    QTest::addColumn<Row>("row");
    for (const Row &row : rows)
        QTest::newRow(row.why) << row;
}

// The bytes of a file, or "<unreadable>" when it cannot be opened.
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

// The lines of a text file, none when it cannot be read.
inline QStringList linesOf(const QString &path)
{
    QStringList lines;
    text::readLines(path, lines);
    return lines;
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
