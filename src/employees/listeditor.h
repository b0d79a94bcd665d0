#pragma once

#include <QString>
#include <QStringList>

// The list editor behind the window of "&Banques" and "&Emplois": a list of entries, an
// input field and a selection. The window shows this state and forwards the user's gestures.
class ListEditor
{
public:
    enum class Kind { Banques, Emplois };

    // "Les Banques" / "Les Conventions collectives".
    static QString caption(Kind kind);
    // "Banque" / "Emploi".
    static QString label(Kind kind);

    // Init: the list to edit; nothing selected, empty input.
    void Init(const QStringList &entries);
    // Result: the edited list.
    QStringList Result() const { return m_entries; }

    const QStringList &entries() const { return m_entries; }
    // The selected entry, -1 for none.
    int selected() const { return m_selected; }
    QString input() const { return m_input; }
    void setInput(const QString &text) { m_input = text; }

    // Clicking an entry selects it and copies it into the input field.
    void choisir(int row);
    // "Valider" or Enter in the input field: the selected entry is replaced by the input
    // text, or with no selection the input is appended; then nothing is selected and the
    // input is emptied.
    void valider();
    // Delete in the list: the selected entry is removed, nothing is selected, the input is
    // emptied. False when nothing was selected.
    bool supprimer();

private:
    QStringList m_entries;
    int m_selected = -1;
    QString m_input;
};
