#include "ui/eurof.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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
    QFont font = edit->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    edit->setFont(font);
    return edit;
}

} // namespace

TEurof::TEurof(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Euro convertisseur"));
    setObjectName(QStringLiteral("TEurof"));

    m_input = makeDisplay(this, QStringLiteral("input"));
    m_result = makeDisplay(this, QStringLiteral("result"));

    auto *keypad = new QGridLayout;
    static const char16_t keys[] = u"7894561230,";
    for (int i = 0; i < 11; ++i) {
        const QChar key(keys[i]);
        auto *button = new QPushButton(QString(key), this);
        button->setObjectName(QStringLiteral("button") + key);
        button->setAutoDefault(false);
        button->setMinimumSize(34, 30);
        connect(button, &QPushButton::clicked, this, [this, key] { typeKey(key); });
        keypad->addWidget(button, i / 3, i % 3);
    }
    m_equals = new QPushButton(QStringLiteral("="), this);
    m_equals->setObjectName(QStringLiteral("button="));
    m_equals->setAutoDefault(false);
    m_equals->setMinimumSize(34, 30);
    connect(m_equals, &QPushButton::clicked, this, &TEurof::convert);
    keypad->addWidget(m_equals, 3, 2);

    m_toEuros = new QRadioButton(QStringLiteral("Fr>Euro"), this);
    m_toEuros->setObjectName(QStringLiteral("frEuro"));
    m_toFrancs = new QRadioButton(QStringLiteral("Euro>Fr"), this);
    m_toFrancs->setObjectName(QStringLiteral("euroFr"));
    m_toEuros->setChecked(true);
    connect(m_toEuros, &QRadioButton::toggled, this, [this](bool on) {
        m_model.setDirection(on ? EuroConverter::Direction::FrancsToEuros
                                : EuroConverter::Direction::EurosToFrancs);
    });

    m_rate = new QLineEdit(this);
    m_rate->setObjectName(QStringLiteral("rate"));
    m_rate->setReadOnly(true);
    m_rate->setFocusPolicy(Qt::NoFocus);
    m_rate->setMinimumWidth(m_rate->fontMetrics().horizontalAdvance(QStringLiteral("66,555557")) + 8);
    m_rate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_rate->setToolTip(QStringLiteral("Taux de conversion (francs pour un euro)"));
    auto *up = new QToolButton(this);
    up->setObjectName(QStringLiteral("rateUp"));
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    up->setToolTip(QStringLiteral("Augmenter le taux"));
    connect(up, &QToolButton::clicked, this, &TEurof::rateUp);
    auto *down = new QToolButton(this);
    down->setObjectName(QStringLiteral("rateDown"));
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    down->setToolTip(QStringLiteral("Diminuer le taux"));
    connect(down, &QToolButton::clicked, this, &TEurof::rateDown);
    auto *spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(up);
    spin->addWidget(down);

    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("buttonFermer"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *side = new QVBoxLayout;
    side->addWidget(m_toEuros);
    side->addWidget(m_toFrancs);
    side->addSpacing(8);
    side->addWidget(new QLabel(QStringLiteral("Taux :"), this));
    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(m_rate);
    rateRow->addLayout(spin);
    side->addLayout(rateRow);
    side->addStretch();
    side->addWidget(close);

    auto *body = new QHBoxLayout;
    body->addLayout(keypad);
    body->addLayout(side);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_input);
    layout->addWidget(m_result);
    layout->addLayout(body);
    resize(260, 273);
}

void TEurof::showEvent(QShowEvent *event)
{
    m_model.activate();
    refresh();
    QDialog::showEvent(event);
    m_equals->setFocus();
}

void TEurof::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        convert();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        && m_model.key(typed[0]))
        refresh();
    // Every other key is ignored.
}

void TEurof::typeKey(QChar c)
{
    m_model.type(c);
    refresh();
}

void TEurof::convert()
{
    m_model.convert();
    refresh();
}

void TEurof::rateUp()
{
    m_model.rateUp();
    refresh();
}

void TEurof::rateDown()
{
    m_model.rateDown();
    refresh();
}

void TEurof::refresh()
{
    m_input->setText(m_model.input());
    m_result->setText(m_model.result());
    m_rate->setText(m_model.rateText());
}
