#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>

struct EmployeeForm;
class QComboBox;
class DateEdit;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// The employees page of the dossier window: the groups "Employé", "Banque" and "Paie", the
// "Observations" note and the pay history with its input line, bound to the working copy of
// the current record. Every change the user makes is written into the form at once and marks
// it edited; after a core operation (reading a record, adding, pasting...) refresh() shows the
// form again.
class TPageEmployes : public QWidget
{
    Q_OBJECT
public:
    TPageEmployes(EmployeeForm &form, QWidget *parent = nullptr);

    // Shows the form in the widgets; emits nothing.
    void refresh();
    // The choices of "Emploi", of the bank "Nom" and of "Profil" ("code name" per profile).
    // The texts shown in the fields are kept.
    void setChoices(const QStringList &banks, const QStringList &jobs, const QStringList &profiles);
    // The dossier's amount format ("#", "0.0" or "0.00") used by the history input.
    void setAmountFormat(const QString &fmt);
    // Puts the keyboard focus on "Nom Prénom" (after reading or adding a record).
    void focusName();
    // Applies what leaving the profile choice and the accounting account does, for the field
    // that still has the focus when the record is written back by a tool button or a key.
    void commitEdits();

Q_SIGNALS:
    // A change by the user updated the form (its edited flag is already set).
    void edited();
    // A message for the user, such as the conversion error of a history amount.
    void message(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *addLine(QWidget *parent, int distance, const QString &objectName);
    QComboBox *addChoice(QWidget *parent, int distance, const QString &objectName,
                         const QStringList &items);
    DateEdit *addDate(QWidget *parent, const QString &objectName);
    void fieldEdited(int distance, const QString &text);
    void markEdited();
    void noteChanged();
    void leaveProfile();
    void leaveAccount();
    void addHistory();
    void showHistory();
    void showProfile();

    EmployeeForm &m_form;
    QString m_amountFormat = QStringLiteral("0.00");
    bool m_refreshing = false;
    bool m_accountTyped = false;   // the account was typed into since it was last completed

    QList<QPair<int, QLineEdit *>> m_lines;      // text fields by distance
    QList<QPair<int, QComboBox *>> m_choices;    // choices by distance
    DateEdit *m_birthDate = nullptr;
    DateEdit *m_entryDate = nullptr;
    DateEdit *m_leavingDate = nullptr;
    QLineEdit *m_name = nullptr;
    QComboBox *m_job = nullptr;
    QComboBox *m_bank = nullptr;
    QComboBox *m_profile = nullptr;
    QLineEdit *m_profileName = nullptr;
    QLineEdit *m_account = nullptr;
    QLineEdit *m_cumul = nullptr;
    QPlainTextEdit *m_note = nullptr;
    QTableWidget *m_history = nullptr;
    QDateEdit *m_historyDate = nullptr;
    QLineEdit *m_historyLabel = nullptr;
    QLineEdit *m_historyAmount = nullptr;
    QPushButton *m_historyOk = nullptr;
};
