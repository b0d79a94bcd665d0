#pragma once

#include "ports/fileresult.h"

#include <QString>
#include <QStringList>

// The company letterhead: the seven lines of the company file Korvel.soc, edited in the dialog
// "Société", printed at the head of payslips (the first four on envelopes) and given to the text
// editor. The program gives no line a meaning beyond its place.
class Letterhead
{
public:
    static inline const QString kFileName = QStringLiteral("Korvel.soc");
    static constexpr int kLineCount = 7;

    // Seven empty lines.
    Letterhead();

    // Always seven lines.
    const QStringList &lines() const { return m_lines; }
    QString line(int i) const { return m_lines.value(i); }
    void setLine(int i, const QString &text);

    // The company dialog confirmed with these fields: they replace the seven lines, but only
    // when the first is not empty (otherwise nothing changes and false is returned).
    bool replace(const QStringList &fields);

private:
    QStringList m_lines;
};

// Reads the company file into the letterhead, line after line, only if it exists; lines after
// the seventh are ignored, lines the file lacks are left as they were.
text::FileResult ChargeSoc(const QString &path, Letterhead &letterhead);
// Writes the seven lines.
text::FileResult SauveSoc(const QString &path, const Letterhead &letterhead);
