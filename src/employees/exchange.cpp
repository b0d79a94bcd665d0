#include "employees/exchange.h"

#include "employees/employeeform.h"

#include <QFile>
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
    return QStringLiteral("Ficher texte (*.txt);;Fichiers Korvel (*.emp)");
}

QString defaultExportSuffix()
{
    return QStringLiteral("txt");
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

bool Exporter(const Collection &employees, const QString &path, QString *error)
{
    return text::writeLines(path, exportLines(employees), error);
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

ImportStatus Importer(Collection &employees, const QString &path, ImportResult *result)
{
    QFile file(path);
    if (!file.exists())
        return ImportStatus::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return ImportStatus::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ImportStatus::Unreadable;
    const ImportResult r = importLines(employees, text::splitLines(decodeImport(bytes)));
    if (result)
        *result = r;
    return ImportStatus::Ok;
}

bool exporterDossier(const QString &dossierPath, const QString &out, QString *message)
{
    Dossier dossier;
    const Dossier::LoadReport report = dossier.Charge(dossierPath);
    if (!report.ok) {
        if (message)
            *message = report.errorMessage();
        return false;
    }
    QString error;
    if (!Exporter(dossier.employees(), out, &error)) {
        if (message)
            *message = QStringLiteral("Impossible d'enregistrer le fichier ") + out;
        return false;
    }
    return true;
}

bool importerDossier(const QString &dossierPath, const QString &in, QString *message,
                     ImportResult *result)
{
    Dossier dossier;
    const Dossier::LoadReport report = dossier.Charge(dossierPath);
    // Only the dossier file itself can be missing (a missing side file is an empty collection):
    // the import then starts a new dossier there.
    if (!report.ok && report.failure != text::ReadStatus::Missing) {
        if (message)
            *message = report.errorMessage();
        return false;
    }
    ImportResult r;
    switch (Importer(dossier.employees(), in, &r)) {
    case ImportStatus::Missing:
        if (message)
            *message = missingMessage(in);
        return false;
    case ImportStatus::Unreadable:
        if (message)
            *message = QStringLiteral("Impossible de lire le fichier ") + in;
        return false;
    case ImportStatus::Ok:
        break;
    }
    if (result)
        *result = r;
    dossier.SetSauve();
    const Dossier::SaveResult saved = dossier.Sauve(dossierPath);
    if (!saved.ok) {
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
    return QStringLiteral("Le ficher ") + path + QStringLiteral("n'existe pas");
}

QString truncatedMessage()
{
    return QStringLiteral("Trop de lignes, le fichier a été tronqué");
}

} // namespace exchange
