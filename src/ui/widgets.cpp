#include "ui/widgets.h"

#include "store/collection.h"
#include "text/dates.h"
#include "text/encoding.h"
#include "text/numbers.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QLineEdit>

QValidator::State Cp1252Validator::validate(QString &input, int &) const
{
    return text::fits1252(input) ? Acceptable : Invalid;
}

QValidator::State LineFieldValidator::validate(QString &input, int &pos) const
{
    for (QChar c : input)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            return Invalid;
    if (Collection::looksLikeTag(input))
        return Invalid;
    return Cp1252Validator::validate(input, pos);
}

QValidator::State NumericValidator::validate(QString &input, int &) const
{
    for (QChar c : input)
        if (!c.isDigit() && c != u',' && c != u' ')
            return Invalid;
    return Acceptable;
}

bool NumericKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        Q_EMIT enterPressed();
        return true;
    }
    const QString t = key->text();
    if (t.size() != 1 || t[0].category() == QChar::Other_Control)
        return false;
    const QChar c = text::filterNumericKey(t[0]);
    if (c.isNull())
        return true;
    if (c != t[0]) {
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            edit->insert(QString(c));
        return true;
    }
    return false;
}

OkCancel okCancelRow(QDialog *dialog, const QString &cancelText)
{
    auto *ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(cancelText, dialog);
    cancel->setObjectName(QStringLiteral("annuler"));
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return {ok, cancel, row};
}

QPushButton *closeButton(QDialog *dialog, CloseWith with, QWidget *parent)
{
    auto *close = new QPushButton(QStringLiteral("Fermer"), parent ? parent : dialog);
    close->setObjectName(QStringLiteral("fermer"));
    close->setAutoDefault(false);
    QObject::connect(close, &QPushButton::clicked, dialog, with == CloseWith::Accept ? &QDialog::accept : &QDialog::reject);
    return close;
}

DateEdit::DateEdit(QWidget *parent)
    : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    setCalendarPopup(true);
}

QValidator::State DateEdit::validate(QString &input, int &pos) const
{
    // While a date is typed its text is free; it is read when taken.
    if (!m_typing)
        return QDateEdit::validate(input, pos);
    for (QChar c : input)
        if (!c.isDigit() && c != u'/' && c != u' ')
            return QValidator::Invalid;
    return QValidator::Intermediate;
}

void DateEdit::setEmptyAllowed()
{
    m_emptyAllowed = true;
    // The first day of the calendar stands for "no date" and shows as nothing.
    setMinimumDate(QDate(1752, 9, 14));
    setSpecialValueText(QStringLiteral(" "));
}

QDate DateEdit::value() const
{
    return m_emptyAllowed && date() == minimumDate() ? QDate() : date();
}

void DateEdit::setValue(const QDate &date)
{
    setDate(date.isValid() || !m_emptyAllowed ? date : minimumDate());
}

bool DateEdit::commitTyped()
{
    if (!m_typing)
        return true;
    const QString typed = lineEdit()->text().trimmed();
    m_typing = false;
    const QDate date = text::parseTypedDate(typed);
    if (date.isValid() && date >= minimumDate() && date <= maximumDate()) {
        setDate(date);
        return true;
    }
    // The field shows its date again (setDate rewrites the text even when the date is the same).
    // A date erased and nothing typed in its place is given up, not refused.
    if (typed.isEmpty() && m_emptyAllowed) {
        setDate(minimumDate());
        return true;
    }
    setDate(this->date());
    if (typed.isEmpty())
        return true;
    Q_EMIT refused(text::dateRefusal(typed));
    return false;
}

void DateEdit::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text[0].isPrint()
        && !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (!isReadOnly() && printable) {
        QChar c = text[0];
        // "31.03.2026" and "31-03-2026" are typed with the separators people use.
        if (c == u'.' || c == u'-')
            c = u'/';
        if (c.isDigit() || c == u'/') {
            if (!m_typing) {
                // The date shown, whichever part of it is selected, gives way to what is typed.
                m_typing = true;
                lineEdit()->selectAll();
            }
            lineEdit()->insert(QString(c));
            if (text::typedInFull(lineEdit()->text()))
                commitTyped();
        }
        event->accept();
        return;
    }
    if (m_typing) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            commitTyped();
            break;
        case Qt::Key_Escape:
            m_typing = false;
            setDate(date());
            break;
        case Qt::Key_Backspace:
            lineEdit()->backspace();
            event->accept();
            return;
        case Qt::Key_Delete:
            lineEdit()->del();
            event->accept();
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            // Moving in the text typed, not through the date's sections.
            QApplication::sendEvent(lineEdit(), event);
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // Stepping starts from the date typed.
            if (!commitTyped())
                return;
            break;
        default:
            break;
        }
    } else if (!isReadOnly() && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        // Erasing starts a date typed anew.
        m_typing = true;
        if (event->key() == Qt::Key_Backspace)
            lineEdit()->backspace();
        else
            lineEdit()->del();
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

void DateEdit::focusInEvent(QFocusEvent *event)
{
    QDateEdit::focusInEvent(event);
    // Reached with the keyboard, the whole date is selected, so that a date typed replaces it.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason
        || event->reason() == Qt::ShortcutFocusReason)
        lineEdit()->selectAll();
}

bool DateEdit::focusNextPrevChild(bool next)
{
    // Tab after a date typed, or in an empty field, leaves the field, rather than going
    // through the sections of the date shown.
    if (m_typing || value().isNull())
        return QWidget::focusNextPrevChild(next);
    return QDateEdit::focusNextPrevChild(next);
}

void DateEdit::focusOutEvent(QFocusEvent *event)
{
    // The calendar's popup and another window taking the focus do not leave the field: what is
    // being typed stays as it is, neither taken nor read by the date's own sections.
    if (m_typing && (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)) {
        QCoreApplication::sendEvent(lineEdit(), event);
        QWidget::focusOutEvent(event);
        return;
    }
    commitTyped();
    QDateEdit::focusOutEvent(event);
}
