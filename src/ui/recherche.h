#pragma once

#include "employees/navigation.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QLabel;
class QPushButton;

// The one-field dialogs of the employees page: a caption, a labelled field with its key
// filter, "OK" (the default button, so Enter confirms) and "Annuler". The field has the focus
// when the dialog opens.
class TSaisie : public QDialog
{
    Q_OBJECT
public:
    // The key filter of the field: true when the typed character is accepted. Control keys
    // (Backspace, Tab, arrows, Delete, Enter, Escape) always reach the field or the dialog.
    using KeyFilter = std::function<bool(QChar)>;

    TSaisie(const QString &caption, const QString &label, KeyFilter filter, QWidget *parent = nullptr);

    // The text the field starts with.
    void Init(const QString &text);
    // The field's text once confirmed; empty when the dialog was cancelled.
    QString Result() const;

    QLineEdit *field() const { return m_field; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_field = nullptr;
    KeyFilter m_filter;
};

// The three searches: "Recherche par nom" ("Début nom", any key), "Recherche par code
// employé" ("Code employé", digits) and "Recherche par téléphone" ("Téléphone", digits,
// space and ".").
class TRecherche : public TSaisie
{
    Q_OBJECT
public:
    explicit TRecherche(SearchKind kind, QWidget *parent = nullptr);
    SearchKind kind() const { return m_kind; }

    // Shows the dialog modally: true with text set to what was typed when confirmed, false
    // (text emptied) when cancelled. An empty confirmed text also gives an empty text.
    static bool ask(SearchKind kind, QString &text, QWidget *parent = nullptr);

private:
    SearchKind m_kind;
};

// "Code postal": the field, prefilled, accepts digits only.
class TFcp : public TSaisie
{
    Q_OBJECT
public:
    explicit TFcp(QWidget *parent = nullptr);
    // Shows the dialog prefilled with value: when confirmed, value becomes the text typed and
    // the result is true; when cancelled, value is left unchanged and the result is false.
    static bool ask(QString &value, QWidget *parent = nullptr);
};

// "Ville": the field, prefilled, accepts any character the dossier files can hold.
class TVille : public TSaisie
{
    Q_OBJECT
public:
    explicit TVille(QWidget *parent = nullptr);
    // As TFcp::ask.
    static bool ask(QString &value, QWidget *parent = nullptr);
};
