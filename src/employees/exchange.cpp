#include "employees/exchange.h"

#include "records/employeeform.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace exchange {

namespace {

constexpr int kFirstField = 2;
constexpr int kLastField = 12;
constexpr int kEmptyLines = 20;

} // namespace

QString exportFilter()
{
    return QStringLiteral("Fichiers texte (*.txt)");
}

QString importFilter()
{
    return QStringLiteral("Fichier texte (*.txt);;Fichiers Korvel (*.emp)");
}

QString defaultExportSuffix()
{
    return QStringLiteral("txt");
}

QString withExportSuffix(const QString &path)
{
    const QFileInfo info(path);
    return info.fileName().contains(u'.') ? path : path + QStringLiteral(".") + defaultExportSuffix();
}

QStringList exportLines(const Collection &employees)
{
    QStringList out;
    for (const Collection::BlockAt &block : employees.blocks()) {
        // A block cut short gives empty fields.
        const QStringList content = employees.contentAt(block.line, kLastField);
        QStringList fields;
        for (int d = kFirstField; d <= kLastField; ++d)
            fields.append(content.value(d - 1));
        out.append(fields.join(u'\t'));
    }
    return out;
}

text::FileResult Exporter(const Collection &employees, const QString &path)
{
    return text::writeLines(path, exportLines(employees));
}

bool isText(const QByteArray &bytes)
{
    bool undefined1252 = false;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != 0x1a)
            return false;
        if (b == 0x81 || b == 0x8d || b == 0x8f || b == 0x90 || b == 0x9d)
            undefined1252 = true;
    }
    if (!undefined1252)
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    return !utf8.hasError();
}

QString decodeImport(const QByteArray &bytes)
{
    QString result;
    bool hasHigh = false;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            hasHigh = true;
            break;
        }
    }
    if (hasHigh) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(bytes);
        if (!utf8.hasError()) {
            result = decoded;
            if (result.startsWith(QChar(0xFEFF)))
                result.remove(0, 1);
            for (QChar &c : result)
                if (!text::fits1252(c))
                    c = u'?';
            return result;
        }
    }
    return text::decode1252(bytes);
}

QStringList importFields(const QString &line)
{
    QStringList fields;
    QString rest = line;
    for (;;) {
        const qsizetype tab = rest.indexOf(u'\t');
        if (tab < 0) {
            fields.append(rest);
            return fields;
        }
        fields.append(rest.left(tab));
        rest = rest.mid(tab + 1, kRestLimit);
    }
}

ImportResult importLines(Collection &employees, const QStringList &lines)
{
    ImportResult result;
    int code = Numerom(employees);
    // Records added but never written have no block: the import takes their numbers.
    if (!lines.isEmpty()) {
        while (employees.count() > 0 && !employees.contains(employees.count() - 1))
            employees.setCount(employees.count() - 1);
    }
    for (const QString &line : lines) {
        if (employees.count() >= kImportLimit) {
            result.truncated = true;
            break;
        }
        const int b = employees.count();
        employees.setCount(b + 1);
        QStringList content{QString::number(code++)};
        content.append(importFields(line));
        for (int i = 0; i < kEmptyLines; ++i)
            content.append(QString());
        // A field that reads as a tag is kept inside its block by the store.
        employees.writeBlock(b, content, Collection::Placement::AtEnd);
        ++result.added;
    }
    employees.setCurrent(std::max(0, employees.count() - 1));
    return result;
}

text::FileResult Importer(Collection &employees, const QString &path, ImportResult *result)
{
    QByteArray bytes;
    const text::FileResult read = text::readFile(path, bytes);
    if (!read.ok())
        return read;
    ImportResult r;
    if (isText(bytes))
        r = importLines(employees, text::splitLines(decodeImport(bytes)));
    else
        r.notText = true;
    if (result)
        *result = r;
    return read;
}

Status exporterDossier(const QString &dossierPath, const QString &out)
{
    Dossier dossier;
    const Dossier::LoadReport report = dossier.Charge(dossierPath);
    if (!report.ok)
        return Status::unavailable(report.errorMessage());
    return Status::of(Exporter(dossier.employees(), out));
}

bool importerDossier(const QString &dossierPath, const QString &in, QString *message,
                     ImportResult *result)
{
    Dossier dossier;
    const Dossier::LoadReport report = dossier.Charge(dossierPath);
    // Only the dossier file itself can be missing (a missing side file is an empty collection):
    // the import then starts a new dossier there.
    if (!report.ok && !report.failure.isMissing()) {
        if (message)
            *message = report.errorMessage();
        return false;
    }
    ImportResult r;
    const text::FileResult read = Importer(dossier.employees(), in, &r);
    if (!read.ok() || r.notText) {
        if (message)
            *message = !read.ok() ? (read.isMissing() ? missingMessage(in) : read.message()) : notTextMessage(in);
        return false;
    }
    if (result)
        *result = r;
    dossier.SetSauve();
    const Status saved = dossier.Sauve(dossierPath);
    if (!saved) {
        if (message)
            *message = saved.message();
        return false;
    }
    if (message)
        *message = r.truncated ? truncatedMessage() : QString();
    return true;
}

QString missingMessage(const QString &path)
{
    return QStringLiteral("Le fichier ") + path + QStringLiteral(" n'existe pas");
}

QString notTextMessage(const QString &path)
{
    return QStringLiteral("Le fichier ") + QFileInfo(path).fileName() + QStringLiteral(" n'est pas un fichier texte");
}

QString truncatedMessage()
{
    return QStringLiteral("Trop de lignes, le fichier a été tronqué");
}

} // namespace exchange
