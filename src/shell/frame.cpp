#include "shell/frame.h"

#include "payroll/reversepayroll.h"
#include "shell/monthpayrollmodel.h"
#include "printing/envelopes.h"
#include "printing/pagesetup.h"
#include "ports/printer.h"
#include "printing/sheets.h"
#include "reports/journal.h"
#include "reports/statistics.h"
#include "shell/shelldialogs.h"
#include "ports/dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kFilter = QStringLiteral("Fichiers employés (*.emp)|*.emp");
}

Frame::Frame(Fiche &fiche, Dialogs &dialogs, ShellDialogs &windows, QObject *parent)
    : QObject(parent), m_fiche(fiche), m_dialogs(dialogs), m_windows(windows)
{
    // The page shown decides which commands are offered.
    connect(&m_fiche, &Fiche::pageChanged, this, &Frame::commandsChanged);
    // So does the payslip shown: a validated one is not calculated.
    connect(&m_fiche.payslips(), &RecordPage::changed, this, &Frame::commandsChanged);
}

Frame::Frame(Fiche &fiche, Dialogs &dialogs, ShellDialogs &windows, Printer &printer, QObject *parent)
    : Frame(fiche, dialogs, windows, parent)
{
    m_printer = &printer;
}

QString Frame::caption() const
{
    return QStringLiteral("Korvel");
}

QString Frame::withEmpExtension(const QString &path)
{
    const int slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const int dot = path.lastIndexOf(u'.');
    const QString stem = dot > slash ? path.left(dot) : path;
    return stem + QStringLiteral(".emp");
}

void Frame::applyPatterns(std::initializer_list<Pattern> patterns)
{
    for (Pattern p : patterns)
        m_commands.apply(p);
    Q_EMIT commandsChanged();
}

void Frame::firstShow(const QString &startDirectory)
{
    m_startDirectory = startDirectory;
    bool autoOpen = false;
    QString last;
    m_fiche.GetIni(autoOpen, last);
    m_currentFileName = last;
    m_fiche.employees().setSelectionMode(Selection::NoSelection);
    if (autoOpen) {
        m_commands.setChecked(Cmd::OuvrirAuto, true);
        m_fiche.Charge(m_currentFileName);
        // A dossier deleted meanwhile leaves an empty, unnamed dossier.
        if (m_fiche.dossierFileName().isEmpty())
            m_currentFileName.clear();
        applyPatterns({Pattern::D, Pattern::E});
    } else {
        Q_EMIT commandsChanged();
    }
}

Frame::Prompt Frame::savePrompt()
{
    if (!m_fiche.TestModif())
        return Prompt::Continue;
    // A dossier that was never named goes through the save-as flow. If the dossier could not be
    // written, the calling flow stops so that nothing is lost.
    const bool goOn = m_dialogs.saveChangesFirst(m_currentFileName, [this] {
        return m_currentFileName.isEmpty() ? saveAsFlow() : m_fiche.Sauve(m_currentFileName);
    });
    return goOn ? Prompt::Continue : Prompt::Stop;
}

void Frame::nouveau()
{
    if (savePrompt() == Prompt::Stop)
        return;
    m_currentFileName.clear();
    m_fiche.Nouveau();
    m_fiche.showPage(Fiche::Page::Employes);
    applyPatterns({Pattern::D, Pattern::E});
    tousLesEmployes();
}

void Frame::ouvrir()
{
    if (savePrompt() == Prompt::Stop)
        return;
    const QString chosen = m_dialogs.openFile(kFilter);
    if (chosen.isEmpty())
        return;
    // A refused open changes nothing: the loaded dossier keeps its name, so that "Enregistrer"
    // still writes it where it came from.
    if (chosen.right(4).toUpper() != QLatin1String(".EMP")) {
        m_dialogs.warn(QStringLiteral("Type de fichier non valide"));
        return;
    }
    if (!QFileInfo::exists(chosen)) {
        m_dialogs.warn(QStringLiteral("Le fichier n'existe pas"));
        return;
    }
    if (!m_fiche.Charge(chosen))
        return;
    m_currentFileName = chosen;
    m_fiche.showPage(Fiche::Page::Employes);
    applyPatterns({Pattern::D, Pattern::E});
    tousLesEmployes();
}

void Frame::enregistrer()
{
    if (!m_currentFileName.isEmpty() && !QFileInfo::exists(Dossier::existingFile(m_currentFileName)))
        m_currentFileName.clear();
    if (m_currentFileName.isEmpty()) {
        saveAsFlow();
        return;
    }
    m_fiche.Sauve(withEmpExtension(m_currentFileName));
}

void Frame::enregistrerSous()
{
    saveAsFlow();
}

bool Frame::saveAsFlow()
{
    m_currentFileName.clear();
    const QString chosen = m_dialogs.saveFile(kFilter, QStringLiteral("*.emp"));
    if (chosen.isEmpty()) {
        m_fiche.forgetFileName();
        return false;
    }
    const QString name = withEmpExtension(chosen);
    // A file of that name in another case is the same dossier file: saving replaces it.
    if (QFileInfo::exists(Dossier::existingFile(name))
        && !m_dialogs.confirm(QStringLiteral("Ce fichier existe déjà"))) {
        // Neither the refused name nor the old one is kept: the caption and the save prompt
        // both show an unnamed dossier, and a later save asks for a name.
        m_fiche.forgetFileName();
        return false;
    }
    m_currentFileName = name;
    m_fiche.SetSauve();
    const bool saved = m_fiche.Sauve(name);
    Q_EMIT captionChanged();
    return saved;
}

void Frame::supprimer()
{
    RecordPage *page = m_fiche.activePage();
    if (!page)
        return;
    if (const Status deletable = page->deletable(); !deletable) {
        m_dialogs.warn(deletable.message());
        return;
    }
    if (m_dialogs.confirm(page->deleteQuestion()))
        page->deleteCurrent();
}

bool Frame::queryClose()
{
    return savePrompt() == Prompt::Continue;
}

void Frame::close()
{
    if (!m_startDirectory.isEmpty())
        QDir::setCurrent(m_startDirectory);
    m_fiche.saveSideFiles(m_startDirectory.isEmpty() ? QDir::currentPath() : m_startDirectory);
}

void Frame::showPage(Fiche::Page page)
{
    m_fiche.showPage(page);
    switch (page) {
    case Fiche::Page::Employes:
        applyPatterns({Pattern::E});
        break;
    case Fiche::Page::Profils:
        applyPatterns({Pattern::P});
        break;
    case Fiche::Page::Bulletins:
        applyPatterns({Pattern::B});
        break;
    }
}

void Frame::toggleAutoOpen()
{
    const bool on = !m_commands.checked(Cmd::OuvrirAuto);
    m_commands.setChecked(Cmd::OuvrirAuto, on);
    m_fiche.SetIni(on);
    Q_EMIT commandsChanged();
}

void Frame::tousLesEmployes()
{
    selectionEmployes(Cmd::TousEmployes, Selection::AllEmployees);
}

void Frame::selectionEmployes(Cmd item, Selection::Mode mode, const QString &value)
{
    m_commands.checkInGroup(item);
    m_fiche.employees().select(mode, value);
    Q_EMIT commandsChanged();
}

void Frame::chooseSelection(Cmd item, Selection::Mode mode)
{
    m_fiche.employees().chooseSelection(mode);
    m_commands.checkInGroup(item);
    Q_EMIT commandsChanged();
}

void Frame::nouvelleFiche()
{
    if (RecordPage *page = m_fiche.activePage(); page && page->addRecord())
        applyPatterns({Pattern::D});
}

void Frame::importer()
{
    if (m_fiche.employees().importFile())
        applyPatterns({Pattern::D});
}

void Frame::societe()
{
    QStringList lines = m_fiche.letterhead().lines();
    if (m_windows.societe(lines))
        m_fiche.letterhead().replace(lines);
}

void Frame::paramPaie()
{
    PayrollParametersForm form(m_fiche.settings().payroll);
    if (!m_windows.paramPaie(form))
        return;
    // The dialog stays open until every field reads; should one still not read, nothing is
    // stored or written.
    if (!form.apply(m_fiche.settings().payroll)) {
        m_dialogs.warn(form.refusal(form.unreadableField()));
        return;
    }
    // In force at once: the next calculation, printout or history row takes the new values.
    m_fiche.settings().followDecimalPlaces();
    m_fiche.employees().setAmountFormat(m_fiche.amountFormat());
    m_fiche.saveSettings();
}

void Frame::nouveauBulletin()
{
    showPage(Fiche::Page::Bulletins);
    m_fiche.payslips().nouveauBulletin();
}

void Frame::selectionBulletins(Cmd item, PayslipSelection::Mode mode)
{
    if (!m_fiche.payslips().select(mode))
        return;
    m_commands.checkInGroup(item);
    Q_EMIT commandsChanged();
}

void Frame::payeEnvers()
{
    if (RecordPage *page = m_fiche.activePage())
        page->writeBack();
    ReversePayroll model;
    model.Init(m_fiche.dossier().profiles(), m_fiche.settings().payroll.socialSecurityCeiling);
    m_windows.reversePayroll(model);
}

void Frame::paieDuMois()
{
    m_fiche.employees().writeBack();
    m_fiche.payslips().writeBack();
    const MonthPayrollModel::PdfWriter noPdf = [](const QString &, const std::function<PrintResult(Canvas &)> &) {
        return PrintResult::failed(Canvas::noPrinterMessage());
    };
    MonthPayrollModel model(m_fiche.dossier(), m_fiche.settings(), m_fiche.letterhead().lines(), m_dialogs, m_printer,
                            m_pdfWriter ? m_pdfWriter : noPdf);
    m_windows.paieDuMois(model);
    if (!model.changed())
        return;
    m_fiche.payslips().reset();
    m_fiche.employees().reread();
    Q_EMIT commandsChanged();
}

void Frame::print(const std::function<PrintResult(Canvas &)> &printout)
{
    const PrintResult printed =
        m_printer ? printout(m_printer->canvas()) : PrintResult::failed(Canvas::noPrinterMessage());
    if (printed.status == PrintResult::Status::Failed)
        m_dialogs.warn(printed.message);
}

void Frame::printEmployees(const std::function<PrintResult(Canvas &, int, int)> &printout)
{
    // The printouts of a range read the employee blocks: what is being typed goes there first.
    if (RecordPage *page = m_fiche.activePage())
        page->writeBack();
    int from = 1;
    int to = m_fiche.employees().collection().count();
    if (m_printer && !m_printer->printDialog(from, to))
        return;
    print([&](Canvas &canvas) { return printout(canvas, from, to); });
}

void Frame::imprimerFiche()
{
    RecordPage *page = m_fiche.activePage();
    if (!page)
        return;
    page->writeBack();
    const Settings &settings = m_fiche.settings();
    FicheToPrint what;
    what.employee = &m_fiche.employees().form();
    what.profile = &m_fiche.profiles().form();
    what.payslip = &m_fiche.payslips().form();
    what.payslipOptions = PayslipPrintOptions::from(m_fiche.letterhead().lines(), settings.pageSetup.paperType,
                                                    settings.payroll, settings.amountFormat);
    const PrintedPage printed = m_fiche.pageShown() == Fiche::Page::Employes ? PrintedPage::Employes
                                : m_fiche.pageShown() == Fiche::Page::Profils ? PrintedPage::Profils
                                                                               : PrintedPage::Bulletins;
    print([&](Canvas &canvas) { return ImpFiche(canvas, printed, what); });
}

void Frame::imprimerListe()
{
    const Collection &employees = m_fiche.employees().collection();
    printEmployees([&](Canvas &canvas, int from, int to) { return ImpListe(canvas, employees, from, to); });
}

void Frame::imprimerEnveloppes()
{
    const Collection &employees = m_fiche.employees().collection();
    const QStringList &letterhead = m_fiche.letterhead().lines();
    const int guide = m_fiche.settings().pageSetup.envelopeGuide;
    printEmployees([&](Canvas &canvas, int from, int to) {
        return Enveloppes(canvas, letterhead, employees, from, to, guide);
    });
}

void Frame::enveloppeCourante()
{
    EnvelopeAddress recipient;
    switch (m_fiche.pageShown()) {
    case Fiche::Page::Employes:
        m_fiche.employees().writeBack();
        recipient = envelopeRecipient(m_fiche.employees().form());
        break;
    case Fiche::Page::Bulletins:
        m_fiche.payslips().writeBack();
        recipient = envelopeRecipient(m_fiche.payslips().form());
        break;
    case Fiche::Page::Profils:
        return;
    }
    m_dialogs.message(insertEnvelopeMessage());
    const PageSetup &setup = m_fiche.settings().pageSetup;
    print([&](Canvas &canvas) {
        return ImpEnv(canvas, m_fiche.letterhead().lines(), recipient, setup.envelopeOrientation, setup.envelopeGuide);
    });
}

void Frame::miseEnPage()
{
    PageSetup &setup = m_fiche.settings().pageSetup;
    ParM(setup.paperType, setup.envelopeOrientation, setup.envelopeGuide,
         [this](PageSetupModel &model) { return m_windows.pageSetup(model); });
}

void Frame::statistiques(StatsKind kind)
{
    // What is being typed counts.
    if (RecordPage *page = m_fiche.activePage())
        page->writeBack();
    const Collection &payslips = m_fiche.payslips().collection();
    const QString format = m_fiche.amountFormat();
    const Progress progress = [this](int i) { Q_EMIT progressChanged(progressText(i)); };
    const Collection &employees = m_fiche.employees().collection();
    QStringList list;
    Status status;
    switch (kind) {
    case StatsKind::Employes: list = StatsEmp(payslips, format, progress); break;
    case StatsKind::Paies: status = StatsPaie(payslips, format, list, progress); break;
    case StatsKind::Profils: list = StatsProfils(payslips, employees, format, progress); break;
    case StatsKind::Caisses:
        list = StatsCaisses(payslips, employees, m_fiche.profiles().collection(), m_fiche.caisseLines(), format,
                            progress);
        break;
    }
    Q_EMIT progressChanged(QString());
    // The caisse statistic reads the payslip lines, not the payslips one by one.
    if (kind != StatsKind::Caisses)
        m_fiche.payslips().showLast();
    if (!status) {
        m_dialogs.message(status.message());
        return;
    }
    m_windows.statistics(kind, list);
}

void Frame::journal()
{
    if (RecordPage *page = m_fiche.activePage())
        page->writeBack();
    JournalEntries entries;
    const Status status = Journal(m_fiche.payslips().collection(), Comptes(m_fiche.employees().collection()), entries,
                                  [this](int i) { Q_EMIT progressChanged(progressText(i)); });
    Q_EMIT progressChanged(QString());
    m_fiche.payslips().showLast();
    if (!status) {
        m_dialogs.message(status.message());
        return;
    }
    m_windows.journal(entries);
}

bool Frame::available(Cmd id) const
{
    if (!m_commands.enabled(id))
        return false;
    // A submenu is offered when one of its items is.
    if (commands::isSubmenu(id)) {
        for (const CommandInfo &c : commands::all())
            if (c.parent == id && available(c.id))
                return true;
        return false;
    }
    // Building a handler changes nothing: available() stays a question.
    return bool(const_cast<Frame *>(this)->handler(commands::info(id).action));
}

void Frame::run(Cmd id)
{
    if (!available(id))
        return;
    if (const std::function<void()> action = handler(commands::info(id).action))
        action();
}

std::function<void()> Frame::handler(Cmd action)
{
    using F = std::function<void()>;
    // The generic verbs go to the page shown, when it is built; the employees page's own
    // commands are offered while that page is shown.
    RecordPage *page = m_fiche.activePage();
    EmployeesPage *employees = m_fiche.pageShown() == Fiche::Page::Employes ? &m_fiche.employees() : nullptr;
    auto onPage = [page](const F &f) { return page ? f : F(); };
    auto onEmployees = [employees](const F &f) { return employees ? f : F(); };
    // The same for the profiles and payslips pages' own commands.
    ProfilesPage *profiles = m_fiche.pageShown() == Fiche::Page::Profils ? &m_fiche.profiles() : nullptr;
    PayslipsPage *payslips = m_fiche.pageShown() == Fiche::Page::Bulletins ? &m_fiche.payslips() : nullptr;
    auto onProfiles = [profiles](const F &f) { return profiles ? f : F(); };
    auto onPayslips = [payslips](const F &f) { return payslips ? f : F(); };

    switch (action) {
    // Fichier
    case Cmd::Nouveau: return [this] { nouveau(); };
    case Cmd::Ouvrir: return [this] { ouvrir(); };
    case Cmd::Enregistrer: return [this] { enregistrer(); };
    case Cmd::EnregistrerSous: return [this] { enregistrerSous(); };
    case Cmd::ConfigurerImprimante: return [this] { m_windows.printerSetup(); };
    // The items of "&Imprimer" are offered with it.
    case Cmd::ImprimerListe: return m_commands.enabled(Cmd::Imprimer) ? F([this] { imprimerListe(); }) : F();
    case Cmd::ImprimerEnveloppes:
        return m_commands.enabled(Cmd::Imprimer) ? F([this] { imprimerEnveloppes(); }) : F();
    case Cmd::MiseEnPage: return [this] { miseEnPage(); };
    case Cmd::Importer: return onEmployees([this] { importer(); });
    case Cmd::Exporter: return onEmployees([employees] { employees->exportFile(); });
    case Cmd::Quitter: return [this] { Q_EMIT quitRequested(); };
    // Edition
    case Cmd::Copier: return onPage([page] { page->copy(); });
    case Cmd::Coller: return onPage([page] { page->paste(); });
    case Cmd::RechercherCode: return onEmployees([employees] { employees->search(SearchKind::Numero); });
    case Cmd::RechercherNom: return onEmployees([employees] { employees->search(SearchKind::Nom); });
    case Cmd::RechercherTelephone: return onEmployees([employees] { employees->search(SearchKind::Telephone); });
    case Cmd::TrierEmployes: return onEmployees([employees] { employees->sort(); });
    case Cmd::ChercherBulletin: return onPayslips([payslips] { payslips->chercher(); });
    // Bases
    case Cmd::PageEmployes: return [this] { showPage(Fiche::Page::Employes); };
    case Cmd::PageProfils: return [this] { showPage(Fiche::Page::Profils); };
    case Cmd::PageBulletins: return [this] { showPage(Fiche::Page::Bulletins); };
    case Cmd::Premier: return onPage([page] { page->move(Move::Premier); });
    case Cmd::Precedent: return onPage([page] { page->move(Move::Precedent); });
    case Cmd::Suivant: return onPage([page] { page->move(Move::Suivant); });
    case Cmd::Dernier: return onPage([page] { page->move(Move::Dernier); });
    case Cmd::NouvelleFiche: return onPage([this] { nouvelleFiche(); });
    case Cmd::SupprimerFiche: return onPage([this] { supprimer(); });
    case Cmd::Liste: return page && page->hasList() ? F([page] { page->list(); }) : F();
    case Cmd::ImprimerFiche: return onPage([this] { imprimerFiche(); });
    // Paye (its moves are those of "&Bases")
    case Cmd::NouveauBulletin: return [this] { nouveauBulletin(); };
    case Cmd::SupprimerBulletin: return onPayslips([this] { supprimer(); });
    case Cmd::ImprimerBulletin: return onPayslips([this] { imprimerFiche(); });
    // A validated payslip keeps the amounts carried into its employee's cumul and history.
    case Cmd::CalculerBulletin:
        return payslips && payslips->calculable() ? F([payslips] { payslips->calculer(); }) : F();
    case Cmd::PaieDuMois: return [this] { paieDuMois(); };
    // Rubriques
    case Cmd::ProfilStandard: return onProfiles([profiles] { profiles->standard(); });
    case Cmd::ReprendreProfil: return onProfiles([profiles] { profiles->reprendre(); });
    case Cmd::SupprimerRubrique: return onProfiles([profiles] { profiles->deleteRubrique(); });
    case Cmd::ModifierRubrique: return onProfiles([profiles] { profiles->modifyRubrique(); });
    // Sélection
    case Cmd::TousEmployes: return onEmployees([this] { tousLesEmployes(); });
    case Cmd::SelCodePostal: return onEmployees([this] { chooseSelection(Cmd::SelCodePostal, Selection::ByPostcode); });
    case Cmd::SelVille: return onEmployees([this] { chooseSelection(Cmd::SelVille, Selection::ByTown); });
    case Cmd::TousBulletins:
        return onPayslips([this] { selectionBulletins(Cmd::TousBulletins, PayslipSelection::AllPayslips); });
    case Cmd::BulletinsParEmploye:
        return onPayslips([this] { selectionBulletins(Cmd::BulletinsParEmploye, PayslipSelection::ByEmployee); });
    // Outils
    case Cmd::TraitementTexte: return [this] { m_windows.textEditor(m_fiche.letterhead().lines()); };
    case Cmd::Message: return [this] { m_windows.messagePad(m_fiche.dossierFileName()); };
    case Cmd::PayeEnvers: return [this] { payeEnvers(); };
    // An envelope goes to the employee shown on the employees page or to the payslip's.
    case Cmd::EnveloppeCourante:
        return employees || payslips ? F([this] { enveloppeCourante(); }) : F();
    case Cmd::StatEmployes: return [this] { statistiques(StatsKind::Employes); };
    case Cmd::StatMois: return [this] { statistiques(StatsKind::Paies); };
    case Cmd::StatProfils: return [this] { statistiques(StatsKind::Profils); };
    case Cmd::StatCaisses: return [this] { statistiques(StatsKind::Caisses); };
    case Cmd::JournalComptable: return [this] { journal(); };
    case Cmd::ModifierCumul: return onEmployees([this] { m_fiche.payslips().modifierCumul(); });
    case Cmd::CloturerExercice: return [this] { m_fiche.payslips().cloturer(); };
    // Paramètres
    case Cmd::Societe: return [this] { societe(); };
    case Cmd::ParamPaie: return [this] { paramPaie(); };
    case Cmd::Caisses: return [this] { m_fiche.Caisse(); };
    case Cmd::Banques: return [this] { m_fiche.employees().editList(ListEditor::Kind::Banques); };
    case Cmd::Emplois: return [this] { m_fiche.employees().editList(ListEditor::Kind::Emplois); };
    case Cmd::OuvrirAuto: return [this] { toggleAutoOpen(); };
    // Utilitaires
    case Cmd::Calendrier: return [this] { m_windows.calendar(); };
    case Cmd::Calculatrice: return [this] { m_windows.calculator(); };
    case Cmd::Horloge: return [this] { m_windows.clock(); };
    case Cmd::EuroConversion: return [this] { m_windows.euroConverter(); };
    case Cmd::BlocNotes: return [this] { m_windows.notepad(m_startDirectory); };
    case Cmd::Departements: return [this] { m_fiche.employees().showDepartments(); };
    // Aide
    case Cmd::AideIndex: return [this] { m_windows.help(0); };
    case Cmd::AideRechercher: return [this] { m_windows.helpSearch(); };
    case Cmd::AideUtiliser: return [this] { m_windows.help(12); };
    case Cmd::APropos: return [this] { m_windows.about(); };
    default:
        return {};
    }
}
