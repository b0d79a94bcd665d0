#include "store/filegroup.h"

#include "text/encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace store {

namespace {

using text::FileResult;

FileResult failed(const QString &path, const QString &reason)
{
    return FileResult(FileResult::Operation::Write, FileResult::Status::Failed, path, reason);
}

// A name that nothing uses yet, in the folder of path.
QString freshName(const QString &path, const char *tag)
{
    QTemporaryFile probe(path + QLatin1Char('.') + QLatin1String(tag) + QLatin1String("-XXXXXX"));
    probe.setAutoRemove(false);
    if (!probe.open())
        return {};
    return probe.fileName();
}

// Renames from onto to, replacing to (QFile::rename never replaces).
bool replace(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// A second name for the content of path: a hard link, or a copy where links are refused.
bool keepPrevious(const QString &path, const QString &keeper)
{
    QFile::remove(keeper);
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(keeper).constData()) == 0)
        return true;
    QByteArray bytes;
    return text::readFile(path, bytes).ok() && text::writeFile(keeper, bytes).ok();
}

struct Pending {
    QString named;       // the file as the caller names it
    QString target;      // the file replaced: the one a link names
    QString fresh;       // the new content, beside the target
    QString previous;    // the previous content under a second name; empty when there was none
};

void discard(const QList<Pending> &pending)
{
    for (const Pending &p : pending) {
        if (!p.fresh.isEmpty())
            QFile::remove(p.fresh);
        if (!p.previous.isEmpty())
            QFile::remove(p.previous);
    }
}

} // namespace

QString backupPath(const QString &path)
{
    return path + QLatin1String(".bak");
}

FileResult replaceTogether(const QList<FileContent> &files)
{
    QList<Pending> pending;
    for (const FileContent &file : files) {
        Pending p;
        p.named = file.path;
        // A link is followed: the file it names is replaced, the link stays.
        const QFileInfo named(file.path);
        p.target = named.isSymLink() ? named.symLinkTarget() : file.path;
        if (file.path.isEmpty()) {
            discard(pending);
            return failed(file.path, QStringLiteral("no file name"));
        }
        // The probe only reserves the name: the new file is created by the write, with the
        // permissions a new file gets, or those of the file it replaces.
        p.fresh = freshName(p.target, "new");
        if (!p.fresh.isEmpty())
            QFile::remove(p.fresh);
        const FileResult written = p.fresh.isEmpty() ? failed(file.path, QStringLiteral("cannot create a file beside it"))
                                                     : text::writeFile(p.fresh, file.bytes);
        if (!written.ok()) {
            pending.append(p);
            discard(pending);
            return failed(file.path, written.reason());
        }
        const QFileInfo info(p.target);
        if (info.exists() && info.isFile()) {
            QFile::setPermissions(p.fresh, QFile::permissions(p.target));
            p.previous = freshName(p.target, "old");
            if (p.previous.isEmpty() || !keepPrevious(p.target, p.previous)) {
                pending.append(p);
                discard(pending);
                return failed(file.path, QStringLiteral("cannot keep its previous version"));
            }
        }
        pending.append(p);
    }

    for (qsizetype i = 0; i < pending.size(); ++i) {
        Pending &p = pending[i];
        if (replace(p.fresh, p.target)) {
            p.fresh.clear();
            continue;
        }
        const int error = errno;
        const QString reason = QString::fromLocal8Bit(std::strerror(error));
        // Put back what was already replaced.
        for (qsizetype j = 0; j < i; ++j) {
            Pending &q = pending[j];
            if (!q.previous.isEmpty()) {
                if (replace(q.previous, q.target))
                    q.previous.clear();
            } else {
                QFile::remove(q.target);
            }
        }
        discard(pending);
        return failed(p.named, reason);
    }

    for (Pending &p : pending)
        if (!p.previous.isEmpty() && replace(p.previous, backupPath(p.target)))
            p.previous.clear();
    discard(pending);
    return FileResult(FileResult::Operation::Write, FileResult::Status::Ok, files.isEmpty() ? QString() : files.first().path);
}

} // namespace store
