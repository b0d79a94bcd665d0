#pragma once

#include "ports/fileresult.h"

#include <QString>

// How an operation the user asked for ended: done, or not done with the French message the
// user reads. Every operation that can fail with a message answers with one, so that the
// windows show it in one way and korvel-cli maps it to its exit statuses in one place.
//
//     Refused       the user's data or a rule said no, or a file could not be written
//                   (korvel-cli: 1)
//     Unavailable   a file or a record to read is missing or unreadable (korvel-cli: 2)
//
// A refusal may carry no message: the user gave up (a dialog cancelled, an empty code) and
// there is nothing to tell.
class Status
{
public:
    enum class Kind { Ok, Refused, Unavailable };

    Status() = default;
    static Status done() { return {}; }
    static Status refused(const QString &message = {}) { return Status(Kind::Refused, message); }
    static Status unavailable(const QString &message) { return Status(Kind::Unavailable, message); }
    // A file read or written: missing or unreadable is Unavailable, a failed write Refused.
    static Status of(const text::FileResult &file)
    {
        if (file.ok())
            return {};
        return file.operation() == text::FileResult::Operation::Write ? refused(file.message())
                                                                      : unavailable(file.message());
    }

    bool ok() const { return m_kind == Kind::Ok; }
    explicit operator bool() const { return ok(); }
    Kind kind() const { return m_kind; }
    const QString &message() const { return m_message; }

private:
    Status(Kind kind, const QString &message) : m_kind(kind), m_message(message) {}

    Kind m_kind = Kind::Ok;
    QString m_message;
};
