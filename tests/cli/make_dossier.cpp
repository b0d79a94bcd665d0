// Writes the dossier the command-line tests work on, with the program's own record code, into
// the folder given: paie.emp, paie.Prl, paie.Pai, and Korvel.ini (ceiling 2432, two decimals)
// and Korvel.soc beside them.
//
//   employees  10002 MARTIN Zoé     profile 10002, cumul 1000,00 (the first record: the one
//                                   the employees page shows after loading)
//              10001 DUPONT Jérôme  profile 10001 (the standard profile), no cumul
//              10003 PETIT Léa      profile 10002, a cumul that is not a number
//   profiles   10001 Standard (the default rubriques), 10002 Réduit (10 % T, 3 % A),
//              10003 Confiscatoire (60 % T: no gross gives a wanted net)
//   payslips   200203001  10001, 169 h at 10
//              200203002  10002, hours "12h"
//              200203003  10002, validated
//              200203004  10002, 100 h at 15
//              200203005  10003, 10 h at 10
//
// With "refus" after the folder, payslips that the calculation refuses follow, all 169 h at
// 10 for 10001 unless said:
//   employees  10004 BERNARD Luc    profile 10009, which does not exist
//   payslips   200203006  99999, a code no employee has
//              200203007  10004
//              200203008  period ending "31/02/2002"
//              200203009  period from 01/03/2002 to 28/02/2002
//              200203010  1E300 h at 1E300
//
// With "mois" after the folder, the dossier of a month's payroll instead:
//   employees  10001 DUPONT Jérôme  profile 10001, February's payslip 200202001, 169 h at 10
//              10002 MARTIN Zoé     profile 10002, no payslip, 151,67 h, salary 1500 a month
//              10003 PETIT Léa      no profile
// and with "mois-refus", 10002's profile is 10009, which does not exist.

#include "records/employeeform.h"
#include "payroll/letterhead.h"
#include "payroll/payslips.h"
#include "records/profileform.h"
#include "payroll/settings.h"
#include "store/dossier.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

void addEmployee(Collection &employees, const QString &code, const QString &name, const QString &profile,
                 const QString &cumul)
{
    EmployeeForm e;
    e.reset(QDate(2002, 3, 1));
    e.code = code;
    e.civility = u"M"_s;
    e.name = name;
    e.address1 = u"3 rue des Lilas"_s;
    e.postcode = u"75011"_s;
    e.town = u"Paris"_s;
    e.job = u"Vendeur"_s;
    e.socialSecurity = u"1700575123456"_s;
    e.profileCode = profile;
    e.cumul = cumul;
    e.edited = true;
    EcritFiche(employees, employees.count(), e);
}

void addProfile(Collection &profiles, const QString &code, const QString &name, const QList<Rubrique> &rubriques)
{
    ProfileForm p;
    p.code = code;
    p.name = name;
    p.rubriques = rubriques;
    p.edited = true;
    EcritProfil(profiles, profiles.count(), p);
}

PayslipForm march(const QString &number, const QString &hours, const QString &rate)
{
    PayslipForm p;
    p.number = number;
    p.periodStart = QDate(2002, 3, 1);
    p.periodEnd = QDate(2002, 3, 31);
    p.hours = hours;
    p.rate = rate;
    return p;
}

void append(Dossier &dossier, PayslipForm &p)
{
    p.edited = true;
    Collection &payslips = dossier.payslips();
    payslips.setCount(payslips.count() + 1);
    EcritBulletin(payslips, payslips.count() - 1, p);
}

void addPayslip(Dossier &dossier, const QString &number, int employee, const QString &hours, const QString &rate,
                bool validated = false)
{
    PayslipForm p = march(number, hours, rate);
    EmployeeForm e;
    LitFiche(dossier.employees(), employee, e, true);
    remplirEmploye(p, e);
    p.validated = validated;
    if (validated) {
        p.taxableNet = u"1000,00"_s;
        p.netToPay = u"950,00"_s;
    }
    append(dossier, p);
}

void addRefusedPayslips(Dossier &dossier)
{
    addEmployee(dossier.employees(), u"10004"_s, u"BERNARD Luc"_s, u"10009"_s, QString());
    PayslipForm nobody = march(u"200203006"_s, u"169"_s, u"10"_s);
    nobody.employeeCode = u"99999"_s;
    append(dossier, nobody);
    addPayslip(dossier, u"200203007"_s, 3, u"169"_s, u"10"_s);
    PayslipForm notADate = march(u"200203008"_s, u"169"_s, u"10"_s);
    notADate.periodEndLine = u"31/02/2002"_s;
    PayslipForm backwards = march(u"200203009"_s, u"169"_s, u"10"_s);
    backwards.periodEnd = QDate(2002, 2, 28);
    PayslipForm huge = march(u"200203010"_s, u"1E300"_s, u"1E300"_s);
    for (PayslipForm *p : {&notADate, &backwards, &huge}) {
        p->employeeCode = u"10001"_s;
        append(dossier, *p);
    }
}

} // namespace

void monthDossier(Dossier &dossier, bool refused)
{
    Collection &employees = dossier.employees();
    addEmployee(employees, u"10001"_s, u"DUPONT Jérôme"_s, u"10001"_s, QString());
    addEmployee(employees, u"10002"_s, u"MARTIN Zoé"_s, refused ? u"10009"_s : u"10002"_s, QString());
    addEmployee(employees, u"10003"_s, u"PETIT Léa"_s, QString(), QString());
    EmployeeForm e;
    LitFiche(employees, 1, e, true);
    e.hours = u"151,67"_s;
    e.salary = u"1500"_s;
    e.edited = true;
    EcritFiche(employees, 1, e);
    PayslipForm p = march(u"200202001"_s, u"169"_s, u"10"_s);
    p.periodStart = QDate(2002, 2, 1);
    p.periodEnd = QDate(2002, 2, 28);
    LitFiche(employees, 0, e, true);
    remplirEmploye(p, e);
    append(dossier, p);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QByteArrayView mode = argc == 3 ? QByteArrayView(argv[2]) : QByteArrayView();
    if (argc != 2 && !(argc == 3 && (mode == "refus" || mode == "mois" || mode == "mois-refus"))) {
        QTextStream(stderr) << "usage: make_dossier FOLDER [refus|mois|mois-refus]\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));

    Dossier dossier;
    Collection &employees = dossier.employees();
    if (mode.startsWith("mois"))
        monthDossier(dossier, mode == "mois-refus");
    else {
        addEmployee(employees, u"10002"_s, u"MARTIN Zoé"_s, u"10002"_s, Rset(u"1000,00"_s, kCumulChars));
        addEmployee(employees, u"10001"_s, u"DUPONT Jérôme"_s, u"10001"_s, QString());
        addEmployee(employees, u"10003"_s, u"PETIT Léa"_s, u"10002"_s, u"12a"_s);
    }

    Collection &profiles = dossier.profiles();
    addProfile(profiles, u"10001"_s, u"Standard"_s, defaultRubriques());
    addProfile(profiles, u"10002"_s, u"Réduit"_s,
               {{u"R01"_s, u"Cotisation salariale"_s, u"10,00"_s, u"5,00"_s, u"T"_s},
                {u"R02"_s, u"Retraite plafonnée"_s, u"3,00"_s, u"4,00"_s, u"A"_s}});
    addProfile(profiles, u"10003"_s, u"Confiscatoire"_s, {{u"X01"_s, u"Prélèvement"_s, u"60,00"_s, {}, u"T"_s}});

    if (!mode.startsWith("mois")) {
        addPayslip(dossier, u"200203001"_s, 1, u"169"_s, u"10"_s);
        addPayslip(dossier, u"200203002"_s, 0, u"12h"_s, u"10"_s);
        addPayslip(dossier, u"200203003"_s, 0, u"151,67"_s, u"12"_s, true);
        addPayslip(dossier, u"200203004"_s, 0, u"100"_s, u"15"_s);
        addPayslip(dossier, u"200203005"_s, 2, u"10"_s, u"10"_s);
    }
    if (mode == "refus")
        addRefusedPayslips(dossier);

    dossier.SetSauve();
    const Status saved = dossier.Sauve(dir.filePath(u"paie.emp"_s));
    Settings settings;
    settings.payroll.socialSecurityCeiling = 2432;
    settings.payroll.decimalPlaces = 2;
    Letterhead letterhead;
    letterhead.replace({u"SARL Korvel Essais"_s, u"12 place du Marché"_s, u"69002 Lyon"_s});
    if (!saved) {
        QTextStream(stderr) << saved.message() << "\n";
        return 1;
    }
    for (const text::FileResult &written :
         {SauveIni(dir.filePath(Settings::kFileName), settings, QString()),
          SauveSoc(dir.filePath(Letterhead::kFileName), letterhead)}) {
        if (!written.ok()) {
            QTextStream(stderr) << written.message() << "\n";
            return 1;
        }
    }
    return 0;
}
