#pragma once

#include "ports/fileresult.h"

#include <QString>
#include <QStringList>

// The notepad's file: Korvel.nte in the start directory, plain Windows-1252 text.
class Notepad
{
public:
    explicit Notepad(const QString &startDir);

    const QString &path() const { return m_path; }

    // The file's text; a missing file, or one that cannot be read, gives an empty notepad.
    text::FileResult load(QString &text) const;
    // Writes the text whole, each of its lines ("\n" apart) ended by CR LF, so that load() gives
    // the same text back; after a failure the previous file is intact.
    text::FileResult save(const QString &text) const;

private:
    QString m_path;
};
