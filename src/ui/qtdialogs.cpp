#include "ui/qtdialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString shown(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

} // namespace

void QtDialogs::show(int icon, const QString &text)
{
    QMessageBox box(QMessageBox::Icon(icon), m_caption, shown(text), QMessageBox::Ok, m_parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

void QtDialogs::message(const QString &text)
{
    show(QMessageBox::Information, text);
}

void QtDialogs::warn(const QString &text)
{
    show(QMessageBox::Warning, text);
}

Dialogs::Answer QtDialogs::ask(const QString &question, Buttons buttons)
{
    // The question icon sets a question apart from a refusal, which has the warning icon.
    QMessageBox box(QMessageBox::Question, m_caption, shown(question), QMessageBox::NoButton, m_parent);
    switch (buttons) {
    case Buttons::OuiNonAnnuler:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::OuiNon:
        // Only asked after something went wrong: the default keeps the window open.
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::OkAnnuler:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    const std::pair<QMessageBox::StandardButton, const char *> captions[] = {
        {QMessageBox::Yes, "&Oui"}, {QMessageBox::No, "&Non"}, {QMessageBox::Ok, "OK"}, {QMessageBox::Cancel, "Annuler"}};
    for (const auto &[button, caption] : captions)
        if (QAbstractButton *b = box.button(button))
            b->setText(QString::fromUtf8(caption));
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Oui;
    case QMessageBox::No: return Answer::Non;
    case QMessageBox::Ok: return Answer::Ok;
    default: return buttons == Buttons::OuiNon ? Answer::Non : Answer::Annuler;
    }
}

bool QtDialogs::inputBox(const QString &caption, const QString &prompt, QString &value)
{
    QInputDialog dlg(m_parent);
    dlg.setWindowTitle(caption);
    dlg.setLabelText(prompt);
    dlg.setTextValue(value);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Annuler"));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    value = dlg.textValue();
    return true;
}

QString QtDialogs::qtFilter(const QString &filter)
{
    // "Description|pattern|Description|pattern": Qt wants "Description;;Description".
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2)
        out << parts[i];
    return out.join(QStringLiteral(";;"));
}

QString QtDialogs::openFile(const QString &filter, const QString &proposed)
{
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Ouvrir"), proposed, qtFilter(filter));
}

QString QtDialogs::saveFile(const QString &filter, const QString &proposed, const QString &defaultSuffix,
                           bool confirmOverwrite, const QString &title)
{
    QFileDialog dlg(m_parent, title.isEmpty() ? QStringLiteral("Enregistrer sous") : title, QString(), qtFilter(filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    dlg.setDefaultSuffix(defaultSuffix);
    if (!proposed.isEmpty() && !proposed.contains(u'*'))
        dlg.selectFile(proposed);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}
