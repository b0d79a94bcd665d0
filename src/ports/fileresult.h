#pragma once

#include <QString>

namespace text {

// What reading or writing a whole file came to: the file, what was done to it and how it ended.
// Every file the program reads or writes reports through it, so that a failure is told to the
// user in one form wherever it happens:
//
//     "Impossible de lire le fichier " + full path        (a read that failed)
//     "Impossible d'enregistrer le fichier " + full path   (a write that failed)
//
// with the path absolute and in the system's own notation (QDir::toNativeSeparators).
class FileResult
{
public:
    enum class Operation { Read, Write };
    // Missing: the file to read does not exist, which most callers take as "nothing to read"
    // rather than as a failure.
    enum class Status { Ok, Missing, Failed };

    // Nothing went wrong (and nothing was named).
    FileResult() = default;
    FileResult(Operation operation, Status status, const QString &path, const QString &reason = {})
        : m_operation(operation), m_status(status), m_path(path), m_reason(reason)
    {
    }

    bool ok() const { return m_status == Status::Ok; }
    bool isMissing() const { return m_status == Status::Missing; }
    Status status() const { return m_status; }
    Operation operation() const { return m_operation; }
    // The path as the caller gave it.
    const QString &path() const { return m_path; }
    // The system's reason for a failure, in its own words (for the command-line tool and for
    // diagnosis); never part of message().
    const QString &reason() const { return m_reason; }

    // The message shown for a failure (a missing file counts as one that could not be read);
    // empty when the operation succeeded.
    QString message() const;

    // The full path of a file as messages show it.
    static QString nativePath(const QString &path);

private:
    Operation m_operation = Operation::Read;
    Status m_status = Status::Ok;
    QString m_path;
    QString m_reason;
};

} // namespace text
