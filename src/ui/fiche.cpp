#include "ui/fiche.h"

#include "ui/pageemployes.h"

#include <QApplication>
#include <QScrollArea>
#include <QKeyEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QWidget *makePage(const QString &title, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    auto *heading = new QLabel(title, page);
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    heading->setFont(f);
    layout->addWidget(heading);
    layout->addStretch();
    page->setFocusPolicy(Qt::StrongFocus);
    return page;
}

} // namespace

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
    m_pages->addWidget(makePage(QStringLiteral("Profils salariaux"), m_pages));
    m_pages->addWidget(makePage(QStringLiteral("Bulletins de paye"), m_pages));
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
