#include "accessories/messages.h"

#include "text/encoding.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kEmptyLine = QStringLiteral(" ");

QString trimSpaces(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin] == u' ')
        ++begin;
    while (end > begin && s[end - 1] == u' ')
        --end;
    return s.mid(begin, end - begin);
}

} // namespace

int Message::maxLength(Field field)
{
    static const int lengths[FieldCount] = {30, 30, 30, 20, 10, 10, 50};
    return lengths[field];
}

QString Message::toLine() const
{
    QString line;
    for (const QString &f : fields) {
        line += f;
        line += u'\t';
    }
    for (bool b : boxes)
        line += b ? u'T' : u'F';
    return line;
}

Message Message::fromLine(const QString &line)
{
    Message m;
    QString rest = line;
    for (QString &f : m.fields) {
        const qsizetype tab = rest.indexOf(u'\t');
        if (tab < 0)
            continue; // the field stays empty and the rest is read by the next one
        f = rest.left(tab);
        rest = trimSpaces(rest.mid(tab + 1, 255));
    }
    if (rest.size() >= BoxCount)
        for (int i = 0; i < BoxCount; ++i)
            m.boxes[i] = rest[i] == u'T';
    return m;
}

bool Message::operator==(const Message &other) const
{
    for (int i = 0; i < FieldCount; ++i)
        if (fields[i] != other.fields[i])
            return false;
    for (int i = 0; i < BoxCount; ++i)
        if (boxes[i] != other.boxes[i])
            return false;
    return true;
}

MessagePad::MessagePad()
    : m_lines{kEmptyLine}
{
}

QString MessagePad::messagesFile(const QString &dossierFile)
{
    if (dossierFile.isEmpty())
        return QDir::current().absoluteFilePath(QStringLiteral(".oms"));
    const QFileInfo info(dossierFile);
    QString name = info.fileName();
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    name += QStringLiteral(".oms");
    const QString folder = dossierFile.left(dossierFile.size() - info.fileName().size());
    // An existing file is found whatever the case of its name, as the dossier's files are.
    return text::findCaseInsensitive(folder + name);
}

text::FileResult MessagePad::load(const QString &path)
{
    QStringList lines;
    const text::FileResult read = text::readLines(path, lines);
    if (!read.ok())
        return read;
    m_lines = lines.isEmpty() ? QStringList{kEmptyLine} : lines;
    m_index = int(m_lines.size()) - 1;
    m_modified = false;
    return read;
}

text::FileResult MessagePad::save(const QString &path) const
{
    return text::writeLines(path, m_lines);
}

Message MessagePad::current() const
{
    return Message::fromLine(m_lines.at(m_index));
}

void MessagePad::store(const Message &message)
{
    const QString line = message.toLine();
    if (m_lines.at(m_index) == line)
        return;
    m_lines[m_index] = line;
    m_modified = true;
}

void MessagePad::previous()
{
    if (m_index > 0)
        --m_index;
}

void MessagePad::next()
{
    if (m_index < count() - 1)
        ++m_index;
}

void MessagePad::add()
{
    m_lines.append(kEmptyLine);
    m_index = count() - 1;
    m_modified = true;
}

void MessagePad::remove()
{
    m_lines.removeAt(m_index);
    if (m_lines.isEmpty())
        m_lines.append(kEmptyLine);
    if (m_index > count() - 1)
        m_index = count() - 1;
    m_modified = true;
}
