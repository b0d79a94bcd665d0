#pragma once

#include "records/employeeform.h"
#include "storesupport.h"

#include <QMap>

// An employee record's content: its positional lines, those given set (distance -> text), then
// the lines that follow them (notes, history).
inline QStringList employee(const QMap<int, QString> &fields, const QStringList &extra = {})
{
    QStringList lines;
    for (int d = 1; d <= EmployeeForm::kFieldCount; ++d)
        lines.append(fields.value(d));
    return lines + extra;
}

// The line at distance of every record, in number order.
inline QStringList column(const Collection &c, int distance)
{
    QStringList values;
    for (int n = 0; n < c.count(); ++n)
        values << c.lineOfBlock(n, distance);
    return values;
}
