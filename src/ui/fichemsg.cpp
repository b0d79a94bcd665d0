#include "ui/fichemsg.h"

#include "accessories/clockmodel.h"
#include "ports/clock.h"
#include "text/dates.h"
#include "text/encoding.h"
#include "ui/qtdialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

namespace {

// A field of a message line: Windows-1252 characters only, and no TAB or line end, which would
// break the line into other fields or other messages.
class MessageFieldValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        for (QChar c : input)
            if (c == u'\t' || c == u'\r' || c == u'\n' || !text::fits1252(c))
                return Invalid;
        return Acceptable;
    }
};

const char *const kFieldCaptions[Message::FieldCount] = {
    "Pour", "De", "Société", "N° tél.", "Date", "Heure", "Objet",
};
const char *const kFieldNames[Message::FieldCount] = {
    "pour", "de", "societe", "telephone", "date", "heure", "objet",
};
const char *const kBoxCaptions[Message::BoxCount] = {
    "A téléphoné", "Est venu", "A rappeler", "Rappellera", "URGENT",
};
const char *const kBoxNames[Message::BoxCount] = {
    "aTelephone", "estVenu", "aRappeler", "rappellera", "urgent",
};

QPushButton *makeButton(QWidget *parent, const QString &caption, const QString &name, const QString &hint)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFicheMsg::TFicheMsg(const QString &dossierFile, QWidget *parent, Dialogs *dialogs)
    : QDialog(parent)
    , m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>(this, QStringLiteral("Messages")))
    , m_dialogs(dialogs ? dialogs : m_ownDialogs.get())
    , m_file(MessagePad::messagesFile(dossierFile))
{
    setWindowTitle(QStringLiteral("Messages"));
    setObjectName(QStringLiteral("TFicheMsg"));

    m_number = new QLabel(this);
    m_number->setObjectName(QStringLiteral("number"));
    QFont numberFont = m_number->font();
    numberFont.setBold(true);
    m_number->setFont(numberFont);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Message n°"), m_number);
    for (int i = 0; i < Message::FieldCount; ++i) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(kFieldNames[i]));
        edit->setMaxLength(Message::maxLength(Message::Field(i)));
        edit->setValidator(new MessageFieldValidator(edit));
        m_fields[i] = edit;
        form->addRow(QString::fromUtf8(kFieldCaptions[i]), edit);
    }
    m_fields[Message::Date]->installEventFilter(this);
    m_fields[Message::Heure]->installEventFilter(this);
    m_fields[Message::Date]->setToolTip(QStringLiteral("Laissé vide, reçoit la date du jour"));
    m_fields[Message::Heure]->setToolTip(QStringLiteral("Laissé vide, reçoit l'heure actuelle"));

    auto *boxes = new QVBoxLayout;
    for (int i = 0; i < Message::BoxCount; ++i) {
        m_boxes[i] = new QCheckBox(QString::fromUtf8(kBoxCaptions[i]), this);
        m_boxes[i]->setObjectName(QString::fromLatin1(kBoxNames[i]));
        boxes->addWidget(m_boxes[i]);
    }
    boxes->addStretch();

    auto *previousButton = makeButton(this, QStringLiteral("<"), QStringLiteral("buttonPrevious"),
                                      QStringLiteral("Message précédent (Page préc.)"));
    auto *nextButton = makeButton(this, QStringLiteral(">"), QStringLiteral("buttonNext"),
                                  QStringLiteral("Message suivant (Page suiv.)"));
    auto *addButton = makeButton(this, QStringLiteral("+"), QStringLiteral("buttonAdd"),
                                 QStringLiteral("Nouveau message"));
    auto *removeButton = makeButton(this, QStringLiteral("-"), QStringLiteral("buttonRemove"),
                                    QStringLiteral("Supprimer le message"));
    auto *closeButton = makeButton(this, QStringLiteral("Fermer"), QStringLiteral("buttonFermer"), QString());
    connect(previousButton, &QPushButton::clicked, this, &TFicheMsg::previous);
    connect(nextButton, &QPushButton::clicked, this, &TFicheMsg::next);
    connect(addButton, &QPushButton::clicked, this, &TFicheMsg::add);
    connect(removeButton, &QPushButton::clicked, this, &TFicheMsg::remove);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {previousButton, nextButton, addButton, removeButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto *body = new QHBoxLayout;
    body->addLayout(form, 1);
    body->addLayout(boxes);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    resize(520, 320);

    Charge();
}

text::FileResult TFicheMsg::Charge()
{
    m_loaded = m_pad.load(m_file);
    m_loadReported = false;
    if (isVisible())
        showCurrent();
    return m_loaded;
}

bool TFicheMsg::Sauve()
{
    storeCurrent();
    // A file that could not be read is not replaced unless messages were written meanwhile.
    if (!m_loaded.ok() && !m_loaded.isMissing() && !m_pad.modified())
        return true;
    const text::FileResult written = m_pad.save(m_file);
    return written.ok() || m_dialogs->closeWithoutSaving(written);
}

TFicheMsg::~TFicheMsg() = default;

void TFicheMsg::done(int result)
{
    if (!Sauve())
        return;
    QDialog::done(result);
}

void TFicheMsg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    showCurrent();
    if (!m_loaded.ok() && !m_loaded.isMissing() && !m_loadReported) {
        m_loadReported = true;
        QTimer::singleShot(0, this, [this] { m_dialogs->warn(m_loaded.message()); });
    }
}

void TFicheMsg::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
        previous();
        return;
    case Qt::Key_PageDown:
        next();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool TFicheMsg::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving "Date" or "Heure" empty fills it with the date or the time of the moment; not when
    // the focus moves because another message is being shown.
    if (event->type() == QEvent::FocusOut && !m_showing
        && static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (edit && edit->text().isEmpty()) {
            if (edit == m_fields[Message::Date])
                edit->setText(text::formatDate(Clock::instance().today()));
            else if (edit == m_fields[Message::Heure])
                edit->setText(ClockModel::formatTime(Clock::instance().now().time()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

Message TFicheMsg::formMessage() const
{
    Message m;
    for (int i = 0; i < Message::FieldCount; ++i)
        m.fields[i] = m_fields[i]->text();
    for (int i = 0; i < Message::BoxCount; ++i)
        m.boxes[i] = m_boxes[i]->isChecked();
    return m;
}

void TFicheMsg::storeCurrent()
{
    m_pad.store(formMessage());
}

void TFicheMsg::showCurrent()
{
    m_showing = true;
    const Message m = m_pad.current();
    m_number->setText(QString::number(m_pad.index() + 1));
    for (int i = 0; i < Message::FieldCount; ++i) {
        // A longer text from the file is shown whole rather than cut to the entry limit.
        const int limit = Message::maxLength(Message::Field(i));
        m_fields[i]->setMaxLength(qMax(limit, int(m.fields[i].size())));
        m_fields[i]->setText(m.fields[i]);
    }
    for (int i = 0; i < Message::BoxCount; ++i)
        m_boxes[i]->setChecked(m.boxes[i]);
    m_fields[Message::Pour]->setFocus();
    m_fields[Message::Pour]->selectAll();
    m_showing = false;
}

void TFicheMsg::previous()
{
    storeCurrent();
    m_pad.previous();
    showCurrent();
}

void TFicheMsg::next()
{
    storeCurrent();
    m_pad.next();
    showCurrent();
}

void TFicheMsg::add()
{
    storeCurrent();
    m_pad.add();
    showCurrent();
}

void TFicheMsg::remove()
{
    storeCurrent();
    m_pad.remove();
    showCurrent();
}
