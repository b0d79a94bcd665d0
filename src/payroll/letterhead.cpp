#include "payroll/letterhead.h"

#include "text/encoding.h"

Letterhead::Letterhead() : m_lines(kLineCount) {}

void Letterhead::setLine(int i, const QString &text)
{
    if (i >= 0 && i < kLineCount)
        m_lines[i] = text;
}

bool Letterhead::replace(const QStringList &fields)
{
    if (fields.value(0).isEmpty())
        return false;
    for (int i = 0; i < kLineCount; ++i)
        m_lines[i] = fields.value(i);
    return true;
}

text::FileResult ChargeSoc(const QString &path, Letterhead &letterhead)
{
    QStringList lines;
    const text::FileResult read = text::readLines(path, lines);
    for (int i = 0; read.ok() && i < Letterhead::kLineCount && i < lines.size(); ++i)
        letterhead.setLine(i, lines[i]);
    return read;
}

text::FileResult SauveSoc(const QString &path, const Letterhead &letterhead)
{
    return text::writeLines(path, letterhead.lines());
}
