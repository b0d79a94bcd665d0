#include "ui/fiche.h"

#include "ui/pagebulletins.h"
#include "ui/pageemployes.h"
#include "ui/pageprofils.h"

#include <QApplication>
#include <QScrollArea>
#include <QKeyEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

TFiche::TFiche(Fiche &fiche, QWidget *parent) : QWidget(parent), m_fiche(fiche)
{
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("ficheCaption"));
    m_caption->setStyleSheet(QStringLiteral("QLabel { background: palette(highlight); color: palette(highlighted-text); padding: 2px 6px; }"));
    m_pages = new QStackedWidget(this);
    m_employees = new TPageEmployes(fiche.employees().form(), m_pages);
    auto *employeesScroll = new QScrollArea(m_pages);
    employeesScroll->setWidget(m_employees);
    employeesScroll->setWidgetResizable(true);
    employeesScroll->setFrameShape(QFrame::NoFrame);
    m_pages->addWidget(employeesScroll);
    m_profiles = new TPageProfils(fiche.profiles(), m_pages);
    m_payslips = new TPageBulletins(fiche.payslips(), m_pages);
    for (QWidget *view : {static_cast<QWidget *>(m_profiles), static_cast<QWidget *>(m_payslips)}) {
        auto *scroll = new QScrollArea(m_pages);
        scroll->setWidget(view);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        m_pages->addWidget(scroll);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_caption);
    layout->addWidget(m_pages);

    EmployeesPage &employees = fiche.employees();
    connect(&m_fiche, &Fiche::pageChanged, this, &TFiche::showPage);
    connect(&m_fiche, &Fiche::captionChanged, this, &TFiche::refreshCaption);
    connect(&employees, &RecordPage::changed, m_employees, &TPageEmployes::refresh);
    connect(&employees, &RecordPage::focusEntry, m_employees, &TPageEmployes::focusName);
    connect(m_employees, &TPageEmployes::edited, &employees, &EmployeesPage::formEdited);
    connect(m_employees, &TPageEmployes::message, &employees, &EmployeesPage::showMessage);
    // The choices follow the dossier (loaded, new, saved) and the lists.
    connect(&m_fiche, &Fiche::captionChanged, this, &TFiche::refreshChoices);
    connect(&employees, &EmployeesPage::choicesChanged, this, &TFiche::refreshChoices);
    ProfilesPage &profiles = fiche.profiles();
    connect(&profiles, &RecordPage::changed, m_profiles, &TPageProfils::refresh);
    connect(&profiles, &RecordPage::focusEntry, m_profiles, &TPageProfils::focusName);
    connect(&profiles, &ProfilesPage::focusRubrique, m_profiles, &TPageProfils::focusRubrique);
    PayslipsPage &payslips = fiche.payslips();
    connect(&payslips, &RecordPage::changed, m_payslips, &TPageBulletins::refresh);
    connect(&payslips, &RecordPage::focusEntry, m_payslips, &TPageBulletins::focusEmployee);
    connect(m_payslips, &TPageBulletins::createRequested, this, [this] { Q_EMIT keyCommand(Cmd::NouveauBulletin); });
    connect(m_payslips, &TPageBulletins::printRequested, this, [this] { Q_EMIT keyCommand(Cmd::ImprimerBulletin); });
    // The profiles offered to the employees follow the profiles written back when a page is
    // left.
    connect(&m_fiche, &Fiche::pageChanged, this, &TFiche::refreshChoices);
    refreshChoices();
    m_employees->refresh();
    m_employees->focusName();
    qApp->installEventFilter(this);
    showPage();
    refreshCaption();
}

QWidget *TFiche::page(Fiche::Page page) const
{
    return m_pages->widget(static_cast<int>(page));
}

QWidget *TFiche::currentPage() const
{
    return m_pages->currentWidget();
}

void TFiche::refreshChoices()
{
    EmployeesPage &employees = m_fiche.employees();
    m_employees->setChoices(employees.lists().banks, employees.lists().jobs, employees.profileChoices());
    m_employees->setAmountFormat(employees.amountFormat());
}

void TFiche::showPage()
{
    m_pages->setCurrentIndex(static_cast<int>(m_fiche.pageShown()));
    focusShownPage();
}

void TFiche::focusShownPage()
{
    QWidget *focus = QApplication::focusWidget();
    if (!isVisible() || (focus && currentPage()->isAncestorOf(focus)))
        return;
    switch (m_fiche.pageShown()) {
    case Fiche::Page::Employes: m_employees->focusName(); break;
    case Fiche::Page::Profils: m_profiles->focusName(); break;
    case Fiche::Page::Bulletins: m_payslips->focusEmployee(); break;
    }
}

void TFiche::refreshCaption()
{
    setWindowTitle(m_fiche.caption());
    m_caption->setText(m_fiche.caption());
    m_caption->setVisible(!m_fiche.caption().isEmpty());
}

void TFiche::commitEdits()
{
    if (m_fiche.pageShown() == Fiche::Page::Employes)
        m_employees->commitEdits();
}

bool TFiche::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || (w != this && !isAncestorOf(w)))
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const Cmd cmd = commands::dossierKey(key->key(), key->modifiers());
    if (cmd == Cmd::Count)
        return QWidget::eventFilter(watched, event);
    // The key belongs to the dossier window, whatever control has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    Q_EMIT keyCommand(cmd);
    return true;
}
