#include "accessories/notepad.h"

#include "text/encoding.h"

#include <QDir>

Notepad::Notepad(const QString &startDir)
    : m_path(text::findCaseInsensitive(QDir(startDir).filePath(QStringLiteral("Korvel.nte"))))
{
}

text::FileResult Notepad::load(QString &contents) const
{
    QStringList lines;
    const text::FileResult read = text::readLines(m_path, lines);
    contents = read.ok() ? lines.join(u'\n') : QString();
    return read;
}

text::FileResult Notepad::save(const QString &contents) const
{
    // The area's lines are the lines written, trailing empty ones included: each is followed by
    // a line end, so that reading the file gives them back.
    const QStringList lines = contents.isEmpty() ? QStringList() : contents.split(u'\n');
    return text::writeLines(m_path, lines);
}
