#include "ui/pocket.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TPocket::TPocket(Calculator &model, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
{
    setWindowTitle(QStringLiteral("Calculatrice"));
    setObjectName(QStringLiteral("TPocket"));

    m_display = new QLineEdit(this);
    m_display->setObjectName(QStringLiteral("display"));
    m_display->setReadOnly(true);
    m_display->setFocusPolicy(Qt::NoFocus);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont displayFont = m_display->font();
    displayFont.setPointSizeF(displayFont.pointSizeF() * 1.3);
    m_display->setFont(displayFont);
    // Wide enough for the longest result whole: fifteen digits of a reciprocal after "0,0000",
    // or twelve with an exponent; a display that cut it would hide its first digits.
    m_display->setFixedWidth(qMax(165, m_display->fontMetrics().horizontalAdvance(QStringLiteral("-0,0000142857142857143"))
                                           + 4 * m_display->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8));

    auto *grid = new QGridLayout;
    // Caption, key it stands for, row, column.
    struct Key { const char16_t *caption; char16_t key; int row; int column; };
    static const Key keys[] = {
        {u"7", u'7', 0, 0}, {u"8", u'8', 0, 1}, {u"9", u'9', 0, 2}, {u"/", u'/', 0, 3}, {u"C", u'C', 0, 4},
        {u"4", u'4', 1, 0}, {u"5", u'5', 1, 1}, {u"6", u'6', 1, 2}, {u"*", u'*', 1, 3}, {u"1/x", u'X', 1, 4},
        {u"1", u'1', 2, 0}, {u"2", u'2', 2, 1}, {u"3", u'3', 2, 2}, {u"-", u'-', 2, 3}, {u"sqr", u'S', 2, 4},
        {u"0", u'0', 3, 0}, {u",", u',', 3, 1}, {u"=", u'=', 3, 2}, {u"+", u'+', 3, 3},
    };
    for (const Key &k : keys) {
        const QString caption = QString::fromUtf16(k.caption);
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QStringLiteral("button") + caption);
        button->setAutoDefault(false);
        button->setMinimumSize(48, 32);
        const QChar key(k.key);
        connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
        grid->addWidget(button, k.row, k.column);
        if (k.key == u'=')
            m_equals = button;
    }
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("buttonFermer"));
    close->setAutoDefault(false);
    close->setMinimumSize(48, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    grid->addWidget(close, 3, 4);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_display, 0, Qt::AlignRight);
    layout->addLayout(grid);
    resize(342, 219);
}

void TPocket::showEvent(QShowEvent *event)
{
    // Every opening starts from cleared registers (the new-number flag alone is kept).
    m_model.reset();
    refresh();
    QDialog::showEvent(event);
    m_equals->setFocus();
}

void TPocket::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        press(u'=');
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (press(typed[0]))
            return;
    }
    QDialog::keyPressEvent(event);
}

bool TPocket::press(QChar key)
{
    Calculator::Outcome outcome = Calculator::Outcome::Ok;
    if (!m_model.key(key, &outcome))
        return false;
    refresh();
    if (outcome == Calculator::Outcome::Impossible)
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Opération impossible"));
    // After "C", clicked or typed, the focus is where it is at every opening.
    if (key == u'C' || key == u'c')
        m_equals->setFocus();
    return true;
}

void TPocket::refresh()
{
    m_display->setText(m_model.display());
}
