#pragma once

#include "ports/fileresult.h"

#include <QString>
#include <QStringList>

// One telephone message as the window shows it.
struct Message
{
    enum Field { Pour, De, Societe, Telephone, Date, Heure, Objet, FieldCount };
    enum Box { ATelephone, EstVenu, ARappeler, Rappellera, Urgent, BoxCount };

    QString fields[FieldCount];
    bool boxes[BoxCount] = {};

    // The longest text each field takes: 30, 30, 30, 20, 10, 10, 50.
    static int maxLength(Field field);

    // The stored line: the seven fields each followed by a TAB, then one "T" or "F" per box.
    QString toLine() const;
    // Reads a stored line. Each field ends at a TAB; what follows a TAB is cut to 255
    // characters and its leading and trailing spaces dropped before the next field is read; the
    // boxes are read from the five characters left, when there are that many.
    static Message fromLine(const QString &line);

    bool operator==(const Message &other) const;
};

// The message pad of a dossier: its lines, the current message, and its file, named after the
// dossier file with the extension ".oms".
class MessagePad
{
public:
    // An empty pad: one empty message (a line made of a single space).
    MessagePad();

    // "paie.emp" keeps its messages in "paie.oms" next to it; the name is cut at the first "."
    // of the file's own name, never at a dot of a folder; an existing file is found whatever the
    // case of its name. A dossier without a name uses ".oms" in the current folder.
    static QString messagesFile(const QString &dossierFile);

    // Replaces the list with the file's lines and makes the last one current. A missing file
    // leaves one empty message; so does an empty file; a file that cannot be read changes
    // nothing.
    text::FileResult load(const QString &path);
    // Writes every line, lines ended by CR LF.
    text::FileResult save(const QString &path) const;

    int count() const { return int(m_lines.size()); }
    int index() const { return m_index; }
    const QStringList &lines() const { return m_lines; }
    // True once a line was replaced, added or deleted.
    bool modified() const { return m_modified; }

    Message current() const;
    // Replaces the current line with the message.
    void store(const Message &message);

    // "<" and ">": the neighbouring message, staying on the first and on the last.
    void previous();
    void next();
    // "+": a new empty message after the last one becomes current.
    void add();
    // "-": deletes the current message. Deleting the only message leaves one empty message,
    // so that there always is a current message.
    void remove();

private:
    QStringList m_lines;
    int m_index = 0;
    bool m_modified = false;
};
