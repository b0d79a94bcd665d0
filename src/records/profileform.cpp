#include "records/profileform.h"

#include "records/record.h"

#include "text/numbers.h"

#include <climits>

namespace {

const QString kData = QStringLiteral("DATA");
const QString kMemo = QStringLiteral("MEMO");
const QChar kTab = u'\t';

} // namespace

QString Rubrique::joined() const
{
    return code + kTab + label + kTab + employeeRate + kTab + employerRate + kTab + base;
}

Rubrique Rubrique::fromJoined(const QString &text)
{
    // Fields past the fifth (a line with more TABs than a rubrique has) are left out, so that
    // the rubrique writes back as it reads.
    const QStringList parts = text.split(kTab);
    Rubrique r;
    r.code = parts.value(0);
    r.label = parts.value(1);
    r.employeeRate = parts.value(2).trimmed();
    r.employerRate = parts.value(3).trimmed();
    r.base = parts.value(4);
    return r;
}

QStringList ProfileForm::blockLines() const
{
    QStringList lines;
    lines.reserve(2 + rubriques.size() + observations.size());
    lines << code << name;
    for (const Rubrique &r : rubriques)
        if (!r.isBlank())
            lines.append(kData + r.joined());
    for (const QString &line : observations)
        lines.append(kMemo + line);
    return lines;
}

const QList<Rubrique> &defaultRubriques()
{
    static const QList<Rubrique> table = {
        {"U100", "CSG non déductible et CRDS", "2,90", "", "S"},
        {"U101", "CSG Déductible", "5,10", "", "S"},
        {"U102", "Assurance Maladie Maternité Décès", "0,75", "12,80", "T"},
        {"U103", "Assurance Veuvage", "0,10", "", "T"},
        {"U104", "Assurance Vieillesse plafonnée", "6,55", "8,20", "T"},
        {"U105", "Accidents Vieillesse déplafonnée", "", "1,60", "T"},
        {"U106", "Allocations Familiales", "", "5,40", "T"},
        {"U107", "Accidents du Travail", "", "2,00", "T"},
        {"U108", "Aide au Logement sur le Brut", "", "0,40", "T"},
        {"U109", "Aide au Logement", "", "0,10", "A"},
        {"U110", "A.G.F.F.", "0,80", "1,20", "T"},
        {"U111", "Formation Professionnelle", "", "0,15", "T"},
        {"U112", "FNAL Tous Employeurs", "", "0,10", "T"},
        {"U113", "FNAL Tous Employeurs sur le brut", "", "0,40", "T"},
        {"A200", "Assurance chômage", "2,00", "3,60", "A"},
        {"A201", "Assurance chômage", "", "", "B"},
        {"A202", "Fonds de Garantie des Salaires", "", "0,20", "T"},
        {"D300", "Retraite Compl. non Cadre", "3,75", "4,50", "A"},
        {"D301", "Retraite Compl. Cadre", "", "", "B"},
        {"D302", "Prévoyance", "0,70", "0,70", "A"},
        {"D303", "Prévoyance", "", "", "B"},
        {"D304", "Caisse CRICA (Cadre)", "5,00", "10,00", "B"},
        {"D305", "A.P.E.C. (Cadre)", "0,24", "0,36", "B"},
        {"D306", "Mutuelle Entreprise", "", "", "A"},
        {"D307", "Taxe d'Apprentissage", "", "", "T"},
        {"D308", "Taxe de la Construction", "", "0,54", "T"},
    };
    return table;
}

void LitProfil(const Collection &profiles, int number, ProfileForm &form, bool batch)
{
    form = ProfileForm();
    // The code line and the kReadLimit lines after it.
    const QStringList content = profiles.blockContent(number, ProfileForm::kReadLimit + 1);
    form.code = content.value(0);
    form.name = content.value(1);
    // From the line after the name: a name that begins like a tagged line stays a name.
    for (qsizetype i = 2; i < content.size(); ++i) {
        const QString &line = content[i];
        if (line.startsWith(kData))
            form.rubriques.append(Rubrique::fromJoined(Collection::tagText(line)));
        else if (line.startsWith(kMemo))
            form.observations.append(Collection::tagText(line));
    }
    if (!batch && form.code.isEmpty())
        form.code = QString::number(Numerop(profiles));
    form.edited = false;
}

bool EcritProfil(Collection &profiles, int number, ProfileForm &form)
{
    return writeRecord(profiles, number, form, Collection::Placement::AtEnd);
}

int Numerop(const Collection &profiles)
{
    int highest = 10000;
    for (const Collection::BlockAt &block : profiles.blocks()) {
        bool ok = false;
        const int value = text::parseInteger(profiles.lineAt(block.line, 1), &ok);
        // The largest int would leave no next code: such a code is skipped too.
        if (ok && value > highest && value < INT_MAX)
            highest = value;
    }
    return highest + 1;
}
