#pragma once

#include "shell/dialogs.h"

class QWidget;

// The platform's message boxes, input box and file choosers, in French.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void message(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    Answer askOkCancel(const QString &text) override;
    bool inputBox(const QString &caption, const QString &prompt, QString &value) override;
    QString openFile(const QString &filter, const QString &proposed = {}) override;
    QString saveFile(const QString &filter, const QString &proposed) override;
    bool societe(QStringList &lines) override;
    bool paramPaie(PayrollParametersForm &form) override;

    // "Fichiers employés (*.emp)|*.emp" as Qt writes filters.
    static QString qtFilter(const QString &filter);

private:
    QWidget *m_parent;
};
