#include "printing/sheets.h"

#include "printing/layout.h"
#include "printing/printgrid.h"
#include "text/dates.h"

#include <algorithm>

PrintResult ImpEmp(Canvas &canvas, const EmployeeForm &e)
{
    canvas.setOrientation(Canvas::Orientation::Portrait);
    PortraitAfterwards portrait(canvas);
    if (!canvas.beginJob(QStringLiteral("Fiche employé ") + e.name))
        return PrintResult::failed(canvas.error());
    Layout l(canvas);
    l.font(10, false);

    const struct {
        int y;
        const char16_t *caption;
        const QString &value;
    } left[] = {
        {5, u"Code employé", e.code},   {10, u"Nom Prénom", e.name},   {15, u"Né(e)", e.birthPlace},
        {20, u"Adresse", e.address1},   {25, u"Adresse", e.address2},  {30, u"Code postal", e.postcode},
        {35, u"Ville", e.town},         {40, u"Téléphone", e.telephone}, {45, u"E.Mail", e.email},
        {50, u"Emploi", e.job},         {55, u"Etudes", e.education},
    };
    for (const auto &f : left) {
        l.text(5, f.y, QString::fromUtf16(f.caption));
        l.text(35, f.y, f.value);
    }

    const struct {
        int y;
        int xCaption;
        const char16_t *caption;
        int xValue;
        QString value;
    } right[] = {
        {5, 110, u"Banque", 135, e.bankName},
        {10, 110, u"Code banque", 135, e.bankCode},
        {10, 150, u"Code guichet", 185, e.branchCode},
        {15, 110, u"N° compte", 135, e.accountNumber},
        {15, 175, u"Rib", 190, e.accountKey},
        {20, 110, u"Mode régl.", 135, e.paymentMethod},
        {25, 110, u"N° SS", 135, e.socialSecurity},
        {30, 110, u"Sit. familiale", 135, e.familySituation},
        {35, 110, u"Total heures", 135, e.hours},
        {40, 165, u"Salaire", 185, e.salary},
        {45, 110, u"Profil", 135, e.profileCode + QStringLiteral("  ") + e.profileName},
        {50, 110, u"Compte emp.", 135, e.account},
        {50, 165, u"Cumul", 185, e.cumul},
        {55, 110, u"Entré le", 135, text::formatDate(e.entryDate)},
        {55, 160, u"Sorti le", 185, text::formatDate(e.leavingDate)},
    };
    for (const auto &f : right) {
        l.text(f.xCaption, f.y, QString::fromUtf16(f.caption));
        l.text(f.xValue, f.y, f.value);
    }

    l.text(5, 65, text::formatDate(e.historyDate));
    l.text(35, 65, e.historyLabel);
    l.right(90, 65, e.historyAmount.trimmed());
    for (int r = 1; r <= EmployeeForm::kHistoryRows; ++r) {
        const HistoryRow &row = e.history[r - 1];
        if (row.date.isEmpty())
            break;
        l.text(5, 70 + 5 * r, row.date);
        l.text(35, 70 + 5 * r, row.label);
        l.right(90, 70 + 5 * r, row.amount.trimmed());
    }
    for (int j = 0; j < e.note.size(); ++j)
        l.text(120, 70 + 5 * j, e.note[j]);

    if (!canvas.endJob())
        return PrintResult::failed(canvas.error());
    return PrintResult::printed();
}

EmployeeRange employeeRange(int from, int to, int count)
{
    return {std::max(from - 1, 0), std::min(to - 1, count - 1)};
}

void Entete1(Canvas &canvas)
{
    Layout l(canvas);
    l.text(5, 0, QStringLiteral("Nom"));
    l.text(55, 0, QStringLiteral("Adresse"));
    l.text(105, 0, QStringLiteral("Adresse"));
    l.text(155, 0, QStringLiteral("C.P."));
    l.text(175, 0, QStringLiteral("Ville"));
    l.text(225, 0, QStringLiteral("Téléphone"));
    l.text(255, 0, QStringLiteral("Emploi"));
    l.line(5, 5, 300, 5);
}

PrintResult ImpListe(Canvas &canvas, const Collection &employees, int from, int to)
{
    const EmployeeRange range = employeeRange(from, to, employees.count());
    if (range.isEmpty())
        return PrintResult::nothing();
    canvas.setOrientation(Canvas::Orientation::Landscape);
    PortraitAfterwards portrait(canvas);
    if (!canvas.beginJob(QStringLiteral("Liste des employés")))
        return PrintResult::failed(canvas.error());
    Layout l(canvas);
    l.font(10, false);
    Entete1(canvas);

    const int bottom = canvas.sizePixels().height() - Mv(canvas, 20);
    int y = 10;
    bool pageFull = false;
    for (int k = range.first; k <= range.last; ++k) {
        if (!employees.contains(k))
            continue;
        // A full page is ended only when a line is left to print on the next one.
        if (pageFull) {
            if (!canvas.newPage()) {
                const QString message = canvas.error();
                canvas.abortJob();
                return PrintResult::failed(message);
            }
            y = 10;
            Entete1(canvas);
            pageFull = false;
        }
        constexpr int kJob = 12;
        const QStringList block = employees.blockContent(k, kJob);
        auto field = [&](int distance) { return block.value(distance - 1); };
        l.text(5, y, field(EmployeeForm::kName));
        l.text(55, y, field(EmployeeForm::kAddress1));
        l.text(105, y, field(EmployeeForm::kAddress2));
        l.text(155, y, field(EmployeeForm::kPostcode));
        l.text(175, y, field(EmployeeForm::kTown));
        l.text(225, y, field(EmployeeForm::kTelephone));
        l.text(255, y, field(kJob));
        y += 5;
        pageFull = l.y(y) > bottom;
    }
    if (!canvas.endJob())
        return PrintResult::failed(canvas.error());
    return PrintResult::printed();
}

PrintResult ImpFiche(Canvas &canvas, PrintedPage page, const FicheToPrint &what)
{
    switch (page) {
    case PrintedPage::Employes:
        return what.employee ? ImpEmp(canvas, *what.employee) : PrintResult::nothing();
    case PrintedPage::Profils:
        if (!what.profile)
            return PrintResult::nothing();
        return PrintGrid(canvas, profileGrid(*what.profile, what.profileColumnWidths), QString(),
                         profileHeading(*what.profile));
    case PrintedPage::Bulletins:
        return what.payslip ? Imprime(canvas, *what.payslip, what.payslipOptions) : PrintResult::nothing();
    }
    return PrintResult::nothing();
}
