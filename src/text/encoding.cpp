#include "text/encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace text {

namespace {

// The 32 characters Windows-1252 puts at 0x80..0x9F; 0 marks the five unassigned bytes,
// which are read as the C1 control of the same value so that no byte is lost.
const char16_t kHigh[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

int byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return 0x80 + i;
        if (kHigh[i] == 0 && u == 0x80 + i)
            return u;
    }
    return -1;
}

} // namespace

QString decode1252(const QByteArray &bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
            d[i] = QChar(kHigh[b - 0x80]);
        else
            d[i] = QChar(b);
    }
    return out;
}

QByteArray encode1252(const QString &text)
{
    QByteArray out;
    out.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteOf(text[i]);
        out[i] = static_cast<char>(b < 0 ? '?' : b);
    }
    return out;
}

bool fits1252(QChar c)
{
    return byteOf(c) >= 0;
}

bool fits1252(const QString &text)
{
    for (QChar c : text)
        if (byteOf(c) < 0)
            return false;
    return true;
}

QStringList splitLines(const QString &contents)
{
    QStringList lines;
    const qsizetype n = contents.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = contents[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(contents.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && contents[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(contents.mid(start));
    return lines;
}

QString joinLines(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    QString out;
    out.reserve(size);
    for (const QString &l : lines) {
        out += l;
        out += QLatin1String("\r\n");
    }
    return out;
}

FileResult readFile(const QString &path, QByteArray &bytes)
{
    using S = FileResult::Status;
    constexpr auto read = FileResult::Operation::Read;
    QFile f(path);
    if (!f.exists())
        return FileResult(read, S::Missing, path);
    if (!f.open(QIODevice::ReadOnly))
        return FileResult(read, S::Failed, path, f.errorString());
    const QByteArray all = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return FileResult(read, S::Failed, path, f.errorString());
    bytes = all;
    return FileResult(read, S::Ok, path);
}

FileResult writeFile(const QString &path, const QByteArray &bytes)
{
    using S = FileResult::Status;
    constexpr auto write = FileResult::Operation::Write;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return FileResult(write, S::Failed, path, f.errorString());
    // The flush is checked here: QSaveFile::commit() does not see a write that fails while the
    // buffer is flushed (a full disk), and would put a cut file in place of the old one.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        const QString reason = f.errorString();
        f.cancelWriting();
        return FileResult(write, S::Failed, path, reason);
    }
    if (!f.commit())
        return FileResult(write, S::Failed, path, f.errorString());
    return FileResult(write, S::Ok, path);
}

FileResult readLines(const QString &path, QStringList &lines)
{
    QByteArray bytes;
    const FileResult result = readFile(path, bytes);
    if (result.ok())
        lines = splitLines(decode1252(bytes));
    return result;
}

FileResult writeLines(const QString &path, const QStringList &lines)
{
    return writeFile(path, encode1252(joinLines(lines)));
}

QString findCaseInsensitive(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return path;
    const QDir dir = info.absoluteDir();
    const QString name = info.fileName();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return path;
}

} // namespace text
