#pragma once

#include "store/collection.h"

#include <QStringList>

// A block with its tags around the content.
inline QStringList blk(int n, const QStringList &content = {})
{
    return QStringList{Collection::openTag(n)} + content + QStringList{Collection::closeTag(n)};
}

// A collection holding lines, counted as a load counts it.
inline Collection make(const QStringList &lines)
{
    Collection c;
    c.setLines(lines);
    c.recount();
    return c;
}
