#pragma once

#include <QString>
#include <QStringList>

// The notepad's file: Korvel.nte in the start directory, plain Windows-1252 text.
class Notepad
{
public:
    explicit Notepad(const QString &startDir);

    const QString &path() const { return m_path; }

    enum class LoadStatus { Loaded, Missing, Unreadable };
    // The file's text; a missing file gives an empty notepad.
    LoadStatus load(QString &text) const;
    // Writes the text whole, lines ended by CR LF. False with a reason when the write failed
    // (the previous file is then intact).
    bool save(const QString &text, QString *error = nullptr) const;

private:
    QString m_path;
};
