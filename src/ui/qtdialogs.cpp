#include "ui/qtdialogs.h"

#include "ui/parampaie.h"
#include "ui/societe.h"

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

void QtDialogs::message(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Korvel"), shown(text), QMessageBox::Ok, m_parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

Dialogs::Answer QtDialogs::askYesNoCancel(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Korvel"), shown(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Oui;
    case QMessageBox::No: return Answer::Non;
    default: return Answer::Annuler;
    }
}

Dialogs::Answer QtDialogs::askOkCancel(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Korvel"), shown(text),
                    QMessageBox::Ok | QMessageBox::Cancel, m_parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Annuler;
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

QString QtDialogs::saveFile(const QString &filter, const QString &proposed)
{
    QFileDialog dlg(m_parent, QStringLiteral("Enregistrer sous"), QString(), qtFilter(filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks itself before overwriting ("Ce fichier existe déjà").
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!proposed.contains(u'*'))
        dlg.selectFile(proposed);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

bool QtDialogs::societe(QStringList &lines)
{
    TSociete dlg(m_parent);
    dlg.Init(lines);
    dlg.exec();
    QStringList result;
    dlg.Result(result);
    if (result.isEmpty() || result.first().isEmpty())
        return false;
    lines = result;
    return true;
}

bool QtDialogs::paramPaie(PayrollParametersForm &form)
{
    TParamPaie dlg(form, m_parent);
    return dlg.exec() == QDialog::Accepted;
}
