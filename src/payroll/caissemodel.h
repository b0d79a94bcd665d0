#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>

// The dialog "Caisses" as data: the nine fields of the caisse shown, the table of every
// caisse, the count and the current caisse (numbered from 1).
//
// A caisse line holds nine fields separated by TABs: name, telephone, address, fax, postcode,
// town, contact, account, letter. Opening splits the lines into rows; closing (lines()) joins
// rows 1 to count back. Only what was stored (Enter, or a move, an addition, a deletion, a
// click on a row) reaches the rows: the fields as typed are not stored by closing.
class CaisseModel
{
public:
    enum Field { Nom, Telephone, Adresse, Fax, CP, Ville, Interlocuteur, Compte, Lettre };
    static constexpr int kFieldCount = 9;
    // The table shows at least this many caisse rows, and more when there are more caisses.
    static constexpr int kMinTableRows = 63;

    // Captions of the table's columns and labels of the dialog's fields.
    static QStringList columnCaptions();
    static QStringList fieldLabels();
    // Hints of the tool strip: add, delete, previous, next.
    static QStringList hints();
    // Key filter of the fields: a TAB (or a line break) would split the caisse's line.
    static bool acceptsKey(QChar key) { return key != u'\t' && key != u'\r' && key != u'\n'; }

    // Opening: one row per line (an empty list gives one empty caisse); caisse 1 is shown.
    explicit CaisseModel(const QStringList &lines);
    // Closing: one line per row 1 to count, its cells joined by TAB.
    QStringList lines() const;

    int count() const { return m_count; }
    int current() const { return m_current; }
    int tableRows() const { return std::max(kMinTableRows, m_count); }
    // Cell of the table, row from 1, column from 0; empty outside the rows in use.
    QString cell(int row, int column) const;

    QString field(int f) const { return m_fields[f]; }
    // False (the field unchanged) for a text holding a TAB or a line break.
    bool setField(int f, const QString &text);

    // Enter in a field: the fields go into the current row, an empty letter becoming the first
    // character of the name.
    void store();
    // "Ajouter fiche": store; a new empty caisse at the end becomes current.
    void Ajouter();
    // "Supprimer fiche": store; the current caisse is removed (no confirmation).
    void Supprimer();
    // "Fiche précédente" (Page Up), "Fiche suivante" (Page Down).
    void Precedent();
    void Suivant();
    // Click on a table row (from 1): ignored past the count.
    bool clickRow(int row);

private:
    void show();

    // Each row holds the nine cells, and any further fields of a line with more than nine, so
    // that they are written back as they were read.
    QList<QStringList> m_rows;
    int m_count = 0;
    int m_current = 0;
    std::array<QString, kFieldCount> m_fields;
};
