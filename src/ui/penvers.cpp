#include "ui/penvers.h"

#include "ui/widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit *makeDisplay(QWidget *parent, const QString &name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

} // namespace

TPEnvers::TPEnvers(ReversePayroll &model, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
{
    setWindowTitle(QStringLiteral("Paye à l'envers"));
    setObjectName(QStringLiteral("TPEnvers"));

    // The top band holds "Fermer".
    auto *band = new QFrame(this);
    band->setFrameShape(QFrame::StyledPanel);
    auto *close = closeButton(this, CloseWith::Reject, band);
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(4, 4, 4, 4);
    bandLayout->addWidget(close);
    bandLayout->addStretch(1);

    m_profile = new QComboBox(this);
    m_profile->setObjectName(QStringLiteral("profil"));
    m_profile->setEditable(true);
    m_profile->setInsertPolicy(QComboBox::NoInsert);
    m_profile->addItems(model.profileChoices());
    m_profile->lineEdit()->setValidator(new Cp1252Validator(m_profile));
    m_profile->setMinimumContentsLength(12);
    m_profile->installEventFilter(this);
    connect(m_profile, &QComboBox::currentTextChanged, this,
            [this](const QString &text) { m_model.setProfileText(text); });
    // Picked with the mouse or the arrow keys.
    connect(m_profile, &QComboBox::activated, this, [this](int index) {
        m_model.choose(index);
        refresh();
    });

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nom"));
    m_name->setValidator(new Cp1252Validator(m_name));
    m_name->setMinimumWidth(m_name->fontMetrics().horizontalAdvance(u'M') * 16);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &text) { m_model.setProfileName(text); });

    m_net = new QLineEdit(this);
    m_net->setObjectName(QStringLiteral("net"));
    m_net->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *filter = new NumericKeyFilter(this);
    m_net->installEventFilter(filter);
    connect(filter, &NumericKeyFilter::enterPressed, this, &TPEnvers::Calculer);
    connect(m_net, &QLineEdit::textChanged, this, [this](const QString &text) { m_model.setNet(text); });

    m_calculer = new QToolButton(this);
    m_calculer->setObjectName(QStringLiteral("calculer"));
    m_calculer->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    m_calculer->setToolTip(QStringLiteral("Calculer"));
    // The button leaves the focus where it is, as a tool button does.
    m_calculer->setFocusPolicy(Qt::NoFocus);
    connect(m_calculer, &QToolButton::clicked, this, &TPEnvers::Calculer);

    m_gross = makeDisplay(this, QStringLiteral("brut"));
    m_computedNet = makeDisplay(this, QStringLiteral("netCalcule"));

    auto *grid = new QGridLayout;
    auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(QStringLiteral("&Profil"), m_profile), 0, 0);
    grid->addWidget(m_profile, 0, 1);
    grid->addWidget(m_name, 0, 2, 1, 2);
    grid->addWidget(label(QStringLiteral("Salaire &net"), m_net), 1, 0);
    grid->addWidget(m_net, 1, 1);
    grid->addWidget(m_calculer, 1, 2, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("Salaire brut"), m_gross), 2, 0);
    grid->addWidget(m_gross, 2, 1);
    grid->addWidget(label(QStringLiteral("Net calculé"), m_computedNet), 3, 0);
    grid->addWidget(m_computedNet, 3, 1);
    grid->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(band);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 6, 10, 0);
    body->addLayout(grid);
    layout->addLayout(body);

    setTabOrder(m_profile, m_name);
    setTabOrder(m_name, m_net);
    setTabOrder(m_net, close);

    m_profile->setCurrentText(m_model.profileText());
    refresh();
    // A fixed dialog border.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_profile->setFocus();
}

void TPEnvers::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

bool TPEnvers::eventFilter(QObject *watched, QEvent *event)
{
    // Opening the list's popup or another window (a message) takes the focus too: that is
    // not leaving the list.
    if (watched == m_profile && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            splitProfile();
    }
    return QDialog::eventFilter(watched, event);
}

void TPEnvers::splitProfile()
{
    m_model.setProfileText(m_profile->currentText());
    m_model.split();
    refresh();
}

void TPEnvers::Calculer()
{
    // The displays repaint between iterations; a second "Calculer" meanwhile is not started.
    if (m_running)
        return;
    m_running = true;
    const ReversePayroll::Outcome outcome = m_model.Calculer([this](const ReversePayroll::Step &) {
        refresh();
        QApplication::processEvents();
    });
    m_running = false;
    refresh();
    if (outcome == ReversePayroll::Outcome::NotReached || outcome == ReversePayroll::Outcome::Unreadable) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Korvel"), m_model.message(), QMessageBox::Ok, this);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.exec();
    }
}

void TPEnvers::refresh()
{
    if (m_profile->currentText() != m_model.profileText())
        m_profile->setCurrentText(m_model.profileText());
    if (m_name->text() != m_model.profileName())
        m_name->setText(m_model.profileName());
    m_gross->setText(m_model.grossDisplay());
    m_computedNet->setText(m_model.netDisplay());
}
