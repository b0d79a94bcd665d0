#pragma once

#include <QWidget>

class ProfilesPage;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// The profiles page of the dossier window: "Code profil" and the name, the rubrique table
// ("Code", "Rubrique", "Salariale", "Patronale", "Base"; 31 rows or more), the entry row with
// its base list and "OK", the legend of the base kinds and "Observations". It shows the page's
// form and entry row and forwards the user's gestures: typing, Enter (which stores the entry
// row, except in "Observations"), "OK", Delete in the table (deletes the selected rubrique), a
// double click on a row (loads it into the entry row). In the rate fields "." is typed ",".
class TPageProfils : public QWidget
{
    Q_OBJECT
public:
    explicit TPageProfils(ProfilesPage &page, QWidget *parent = nullptr);

    // Shows the form and the entry row again; emits nothing.
    void refresh();
    // The cursor in the profile's name (a new profile) or in the entry's code field.
    void focusName();
    void focusRubrique();

    QTableWidget *table() const { return m_table; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *addField(const QString &objectName, QString *target);
    void typed();

    ProfilesPage &m_page;
    bool m_refreshing = false;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_name = nullptr;
    QTableWidget *m_table = nullptr;
    QLineEdit *m_entryCode = nullptr;
    QLineEdit *m_entryLabel = nullptr;
    QLineEdit *m_employeeRate = nullptr;
    QLineEdit *m_employerRate = nullptr;
    QComboBox *m_base = nullptr;
    QPushButton *m_ok = nullptr;
    QPlainTextEdit *m_observations = nullptr;
    QList<QPair<QLineEdit *, QString *>> m_fields;
};
