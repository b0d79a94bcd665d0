#include "printing/sheets.h"

#include "printing/layout.h"
#include "printing/printgrid.h"
#include "ports/clock.h"
#include "text/dates.h"

#include <algorithm>
#include <iterator>

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

namespace {

// The list's columns: their left edges in layout millimetres, and the block lines they show.
struct ListColumn {
    int x;
    const char16_t *caption;
    int line;
};
constexpr ListColumn kListColumns[] = {
    {5, u"Nom", EmployeeForm::kName},          {55, u"Adresse", EmployeeForm::kAddress1},
    {105, u"Adresse", EmployeeForm::kAddress2}, {155, u"C.P.", EmployeeForm::kPostcode},
    {175, u"Ville", EmployeeForm::kTown},       {225, u"Téléphone", EmployeeForm::kTelephone},
    {255, u"Emploi", EmployeeForm::kJob},
};
constexpr int kListColumnCount = int(std::size(kListColumns));
// The line of the title, of the captions, of their rule and of the first employee.
constexpr int kListTitleY = 0;
constexpr int kListCaptionY = 6;
constexpr int kListRuleY = 11;
constexpr int kListFirstY = 16;
constexpr int kListStep = 5;

// The right end of the list's rule and of its last column: 5 layout millimetres inside the
// printable area, whatever the paper.
int listRight(const Canvas &canvas)
{
    return canvas.sizePixels().width() - Mh(canvas, 5);
}

// The room of column c in pixels: up to a millimetre before the next column, the last one up
// to the right end.
int listCellWidth(const Canvas &canvas, int c)
{
    const int end = c + 1 < kListColumnCount ? Mh(canvas, kListColumns[c + 1].x - 1) : listRight(canvas);
    return end - Mh(canvas, kListColumns[c].x);
}

} // namespace

void Entete1(Canvas &canvas, int page, int pages)
{
    Layout l(canvas);
    l.font(10, true);
    l.text(5, kListTitleY, QStringLiteral("Liste des employés"));
    l.font(10, false);
    const int right = listRight(canvas);
    const QString pageText = QStringLiteral("Page %1/%2").arg(page).arg(pages);
    canvas.text(right, l.y(kListTitleY), pageText, Canvas::Align::Right);
    canvas.text(right - canvas.textWidth(pageText) - Mh(canvas, 10), l.y(kListTitleY),
                QStringLiteral("Imprimé le ") + text::formatDate(Clock::instance().today()), Canvas::Align::Right);
    for (const ListColumn &c : kListColumns)
        l.text(c.x, kListCaptionY, QString::fromUtf16(c.caption));
    canvas.line(l.x(5), l.y(kListRuleY), right, l.y(kListRuleY));
}

PrintResult ImpListe(Canvas &canvas, const Collection &employees, int from, int to)
{
    const EmployeeRange range = employeeRange(from, to, employees.count());
    if (range.isEmpty())
        return PrintResult::nothing();
    QList<int> printed;
    for (int k = range.first; k <= range.last; ++k)
        if (employees.contains(k))
            printed.append(k);
    canvas.setOrientation(Canvas::Orientation::Landscape);
    PortraitAfterwards portrait(canvas);
    // Lines on a page: a page is full as soon as the next line would start below the printable
    // height minus Mv(20).
    const int bottom = canvas.sizePixels().height() - Mv(canvas, 20);
    int perPage = 1;
    while (Mv(canvas, kListFirstY + kListStep * perPage) <= bottom && perPage < Collection::kMaxBlocks)
        ++perPage;
    const int pages = std::max<int>(1, (int(printed.size()) + perPage - 1) / perPage);

    if (!canvas.beginJob(QStringLiteral("Liste des employés")))
        return PrintResult::failed(canvas.error());
    Layout l(canvas);
    Entete1(canvas, 1, pages);
    for (int i = 0; i < printed.size(); ++i) {
        if (i > 0 && i % perPage == 0) {
            if (!canvas.newPage()) {
                const QString message = canvas.error();
                canvas.abortJob();
                return PrintResult::failed(message);
            }
            Entete1(canvas, i / perPage + 1, pages);
        }
        const int y = kListFirstY + kListStep * (i % perPage);
        const QStringList block = employees.blockContent(printed[i], EmployeeForm::kJob);
        // Each cell is cut where the next column begins: a long street does not run into the
        // second address line.
        for (int c = 0; c < kListColumnCount; ++c)
            l.text(kListColumns[c].x, y, fitText(canvas, block.value(kListColumns[c].line - 1), listCellWidth(canvas, c)));
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
