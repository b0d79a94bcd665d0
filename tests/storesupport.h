#pragma once

#include "store/collection.h"

#include <QStringList>

// A block with its tags around the content. The tags are spelt here, not taken from the store,
// so that tables of rows built before main() do not depend on the store's own constants.
inline QStringList blk(int n, const QStringList &content = {})
{
    const QString digits = QStringLiteral("%1>").arg(n, 4, 10, QLatin1Char('0'));
    return QStringList{QStringLiteral("<BLOC") + digits} + content + QStringList{QStringLiteral("</BLOC") + digits};
}

// A collection holding lines, counted as a load counts it.
inline Collection make(const QStringList &lines)
{
    Collection c;
    c.setLines(lines);
    c.recount();
    return c;
}

// A collection of records numbered in their order, each given by its content.
inline Collection collectionOf(const QList<QStringList> &records)
{
    QStringList lines;
    for (int n = 0; n < records.size(); ++n)
        lines += blk(n, records[n]);
    return make(lines);
}
