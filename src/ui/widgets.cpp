#include "ui/widgets.h"

#include "store/collection.h"
#include "text/encoding.h"
#include "text/numbers.h"

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
