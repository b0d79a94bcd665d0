#include "reports/statistics.h"

#include "records/employeeform.h"
#include "records/payslipform.h"
#include "text/dates.h"
#include "text/numbers.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {

const QChar kTab = u'\t';

// The caisse's letter in a caisse line.
constexpr int kCaisseLetter = 8;

// A stored total: an empty text is 0.
std::optional<double> totalValue(const QString &total)
{
    if (total.trimmed().isEmpty())
        return 0.0;
    bool ok = false;
    const double v = text::parseNumber(total, &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

std::optional<double> amountValue(const QString &amount)
{
    bool ok = false;
    const double v = text::parseNumber(amount, &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

// total + amount written with the format, or nothing when either does not read.
std::optional<QString> added(const QString &total, const QString &amount, const QString &format)
{
    const auto t = totalValue(total);
    const auto a = amountValue(amount);
    if (!t || !a)
        return std::nullopt;
    return text::formatAmount(*t + *a, format);
}

// Reads payslips 0 to count − 1 and hands each to step, which may stop the scan with a refusal.
template <class Step>
Status scanPayslips(const Collection &payslips, const Progress &progress, Step step)
{
    PayslipForm form;
    for (int i = 0; i < payslips.count(); ++i) {
        if (progress)
            progress(i);
        if (!payslips.contains(i))
            continue;
        LitBulletin(payslips, i, form, QString());
        if (const Status s = step(i, form); !s)
            return s;
    }
    return Status::done();
}

} // namespace

QString progressText(int index)
{
    return QStringLiteral("Bulletin ") + QString::number(index);
}

void StatsList::append(const QString &key, const QStringList &fields)
{
    m_index.insert(key, int(m_rows.size()));
    m_rows.append(fields);
}

QStringList StatsList::lines() const
{
    QStringList out;
    out.reserve(m_rows.size());
    for (const QStringList &row : m_rows)
        out.append(row.join(kTab));
    return out;
}

void CumulEmp(StatsList &list, const QString &key, const QString &name, const QString &net,
              const QString &amountFormat)
{
    const QString amount = net.trimmed();
    if (amount.isEmpty())
        return;
    const int i = list.find(key);
    if (i < 0) {
        list.append(key, {key, name, amount});
        return;
    }
    QStringList &f = list.fields(i);
    const QString old = f.value(2);
    f = {key, name, added(old, amount, amountFormat).value_or(old)};
}

void CumulMois(StatsList &list, const QString &key, const QString &net, const QString &deductions,
               const QString &amountFormat)
{
    const QString n = net.trimmed();
    if (n.isEmpty())
        return;
    const QString d = deductions.trimmed().isEmpty() ? text::formatAmount(0.0, amountFormat) : deductions.trimmed();
    const int i = list.find(key);
    if (i < 0) {
        list.append(key, {key, n, d});
        return;
    }
    QStringList &f = list.fields(i);
    const auto oldNet = totalValue(f.value(1));
    const auto oldDeductions = totalValue(f.value(2));
    const auto addNet = amountValue(n);
    // "#" writes no deductions as an empty text.
    const auto addDeductions = totalValue(d);
    if (!oldNet || !oldDeductions || !addNet || !addDeductions)
        return;
    f = {key, text::formatAmount(*oldNet + *addNet, amountFormat),
         text::formatAmount(*oldDeductions + *addDeductions, amountFormat)};
}

void CumulProfil(StatsList &list, const Collection &employees, const QString &employee, const QString &net,
                 const QString &amountFormat)
{
    const QString amount = net.trimmed();
    if (amount.isEmpty())
        return;
    const int block = employees.findCode(employee);
    if (block < 0)
        return;
    const QString code = employees.lineOfBlock(block, EmployeeForm::kProfileCode);
    if (code.isEmpty())
        return;
    const QString label = code + u' ' + employees.lineOfBlock(block, EmployeeForm::kProfileName);
    const int i = list.find(code);
    if (i < 0) {
        list.append(code, {label, amount});
        return;
    }
    QStringList &f = list.fields(i);
    const QString old = f.value(1);
    f = {label, added(old, amount, amountFormat).value_or(old)};
}

void CumulCaisse(StatsList &list, const QString &letter, const QString &employeeAmount,
                 const QString &employerAmount, const QString &amountFormat)
{
    QString e = employeeAmount.trimmed();
    QString r = employerAmount.trimmed();
    if (e.isEmpty() && r.isEmpty())
        return;
    if (e.isEmpty())
        e = QStringLiteral("0");
    if (r.isEmpty())
        r = QStringLiteral("0");
    const int i = list.find(letter);
    if (i < 0) {
        list.append(letter, {letter, e, r});
        return;
    }
    QStringList &f = list.fields(i);
    auto employeeTotal = added(f[1], e, amountFormat);
    auto employerTotal = added(f[2], r, amountFormat);
    if (!employeeTotal || !employerTotal)
        return;
    f[1] = std::move(*employeeTotal);
    f[2] = std::move(*employerTotal);
}

void LitEnrCai(QString &line, const QStringList &caisses)
{
    const QString letter = line.section(kTab, 0, 0);
    QString name = QStringLiteral("???");
    if (!letter.isEmpty() && letter != kNoCaisse) {
        for (const QString &caisse : caisses) {
            if (caisse.section(kTab, kCaisseLetter, kCaisseLetter) == letter) {
                name = caisse.section(kTab, 0, 0);
                break;
            }
        }
    }
    line = letter + kTab + name + line.mid(letter.size());
}

RubriqueCodes::RubriqueCodes(const Collection &employees, const Collection &profiles)
    : m_employees(employees)
    , m_profiles(profiles)
{
}

const RubriqueCodes::Profile *RubriqueCodes::profileOf(const QString &employee)
{
    const int e = m_employees.findCode(employee);
    if (e < 0)
        return nullptr;
    const int p = m_profiles.findCode(m_employees.lineOfBlock(e, EmployeeForm::kProfileCode));
    if (p < 0)
        return nullptr;
    auto it = m_read.find(p);
    if (it == m_read.end()) {
        ProfileForm form;
        LitProfil(m_profiles, p, form, true);
        Profile profile;
        profile.rubriques = form.rubriques;
        // From the last to the first: the first rubrique of a label is the one that stays.
        for (int r = int(profile.rubriques.size()) - 1; r >= 0; --r)
            profile.firstOfLabel.insert(profile.rubriques[r].label.trimmed(), r);
        it = m_read.insert(p, profile);
    }
    return &*it;
}

QString RubriqueCodes::code(const QString &employee, int position, const QString &label)
{
    const Profile *profile = profileOf(employee);
    if (!profile)
        return {};
    const QString wanted = label.trimmed();
    if (position >= 0 && position < profile->rubriques.size()
        && profile->rubriques[position].label.trimmed() == wanted)
        return profile->rubriques[position].code;
    const auto it = profile->firstOfLabel.constFind(wanted);
    return it == profile->firstOfLabel.cend() ? QString() : profile->rubriques[*it].code;
}

QString unreadablePeriodEnd(const QString &number)
{
    return QStringLiteral("Le bulletin %1 a une date de fin de période illisible").arg(number);
}

Status checkPeriodEnd(const Collection &payslips, int block, const QString &number)
{
    if (text::parseDate(payslips.lineOfBlock(block, PayslipForm::kPeriodEnd)).isValid())
        return Status::done();
    return Status::refused(unreadablePeriodEnd(number.trimmed().isEmpty() ? QString::number(block + 1) : number.trimmed()));
}

QString moisLabel(const QDate &periodEnd)
{
    QString month = text::frenchMonthName(periodEnd.month());
    if (!month.isEmpty() && month[0] >= u'a' && month[0] <= u'z')
        month[0] = month[0].toUpper();
    return month + u' ' + QStringLiteral("%1").arg(periodEnd.year(), 4, 10, QLatin1Char('0'));
}

QStringList StatsEmp(const Collection &payslips, const QString &amountFormat, const Progress &progress)
{
    StatsList list;
    scanPayslips(payslips, progress, [&](int, const PayslipForm &p) {
        CumulEmp(list, p.employeeCode, p.address[0], p.netToPay, amountFormat);
        return Status::done();
    });
    return list.lines();
}

Status StatsPaie(const Collection &payslips, const QString &amountFormat, QStringList &lines, const Progress &progress)
{
    StatsList list;
    const Status status = scanPayslips(payslips, progress, [&](int i, const PayslipForm &p) {
        // A payslip without a net is not counted, whatever its date.
        if (p.netToPay.trimmed().isEmpty())
            return Status::done();
        if (const Status s = checkPeriodEnd(payslips, i, p.number); !s)
            return s;
        CumulMois(list, moisLabel(p.periodEnd), p.netToPay, p.totalDeductions, amountFormat);
        return Status::done();
    });
    lines = status ? list.lines() : QStringList();
    return status;
}

QStringList StatsProfils(const Collection &payslips, const Collection &employees, const QString &amountFormat,
                         const Progress &progress)
{
    StatsList list;
    scanPayslips(payslips, progress, [&](int, const PayslipForm &p) {
        CumulProfil(list, employees, p.employeeCode, p.netToPay, amountFormat);
        return Status::done();
    });
    return list.lines();
}

QStringList StatsCaisses(const Collection &payslips, const Collection &employees, const Collection &profiles,
                         const QStringList &caisses, const QString &amountFormat, const Progress &progress)
{
    StatsList list;
    RubriqueCodes codes(employees, profiles);
    int payslip = -1;
    const QList<Collection::BlockAt> blocks = payslips.blocks();
    for (const Collection::BlockAt &block : blocks) {
        if (progress)
            progress(++payslip);
        const QString employee = payslips.lineAt(block.line, PayslipForm::kEmployeeCode);
        int position = 0;
        for (const QString &line : payslips.contentAt(block.line)) {
            if (!line.startsWith(QLatin1String("PAIE")))
                continue;
            // Fields 1, 4 and 6 of the text after "PAIE": the label, "Retenue", "Part patronale".
            const QStringView text = QStringView(line).mid(4, Collection::kTagTextMax);
            QStringView field[6];
            qsizetype from = 0;
            for (int k = 0; k < 6 && from <= text.size(); ++k) {
                qsizetype tab = text.indexOf(kTab, from);
                if (tab < 0)
                    tab = text.size();
                field[k] = text.mid(from, tab - from);
                from = tab + 1;
            }
            const QString letter = codes.code(employee, position++, field[0].toString()).trimmed().left(1);
            CumulCaisse(list, letter.isEmpty() ? QString(kNoCaisse) : letter, field[3].toString(), field[5].toString(),
                        amountFormat);
        }
    }
    QStringList lines = list.lines();
    for (QString &line : lines)
        LitEnrCai(line, caisses);
    return lines;
}

bool isSorted(StatsKind kind)
{
    return kind != StatsKind::Paies;
}

void sortStats(StatsKind kind, QStringList &lines)
{
    if (!isSorted(kind))
        return;
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QList<QCollatorSortKey> keys;
    keys.reserve(lines.size());
    for (const QString &line : lines)
        keys.append(collator.sortKey(line));
    QList<int> order(lines.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (int i : order)
        sorted.append(lines[i]);
    lines = sorted;
}

Status statistiques(StatsKind kind, const Collection &payslips, const Collection &employees,
                    const Collection &profiles, const QStringList &caisses, const QString &amountFormat,
                    QStringList &lines, const Progress &progress)
{
    lines.clear();
    switch (kind) {
    case StatsKind::Employes:
        lines = StatsEmp(payslips, amountFormat, progress);
        break;
    case StatsKind::Paies:
        if (const Status s = StatsPaie(payslips, amountFormat, lines, progress); !s)
            return s;
        break;
    case StatsKind::Profils:
        lines = StatsProfils(payslips, employees, amountFormat, progress);
        break;
    case StatsKind::Caisses:
        lines = StatsCaisses(payslips, employees, profiles, caisses, amountFormat, progress);
        break;
    }
    sortStats(kind, lines);
    return Status::done();
}

std::optional<StatsKind> statsKindNamed(const QString &name)
{
    if (name == u"employes")
        return StatsKind::Employes;
    if (name == u"mois")
        return StatsKind::Paies;
    if (name == u"profils")
        return StatsKind::Profils;
    if (name == u"caisses")
        return StatsKind::Caisses;
    return std::nullopt;
}
