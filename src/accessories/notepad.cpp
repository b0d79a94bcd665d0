#include "accessories/notepad.h"

#include "text/encoding.h"

#include <QDir>

Notepad::Notepad(const QString &startDir)
    : m_path(text::findCaseInsensitive(QDir(startDir).filePath(QStringLiteral("Korvel.nte"))))
{
}

Notepad::LoadStatus Notepad::load(QString &contents) const
{
    QStringList lines;
    switch (text::readLines(m_path, lines)) {
    case text::ReadStatus::Missing:
        contents.clear();
        return LoadStatus::Missing;
    case text::ReadStatus::Unreadable:
        contents.clear();
        return LoadStatus::Unreadable;
    case text::ReadStatus::Ok:
        break;
    }
    contents = lines.join(u'\n');
    return LoadStatus::Loaded;
}

bool Notepad::save(const QString &contents, QString *error) const
{
    const QStringList lines = contents.isEmpty() ? QStringList() : text::splitLines(contents);
    return text::writeLines(m_path, lines, error);
}
