#include "employees/listeditor.h"

QString ListEditor::caption(Kind kind)
{
    return kind == Kind::Banques ? QStringLiteral("Les Banques")
                                 : QStringLiteral("Les Conventions collectives");
}

QString ListEditor::label(Kind kind)
{
    return kind == Kind::Banques ? QStringLiteral("Banque") : QStringLiteral("Emploi");
}

void ListEditor::Init(const QStringList &entries)
{
    m_entries = entries;
    m_selected = -1;
    m_input.clear();
}

void ListEditor::choisir(int row)
{
    if (row < 0 || row >= m_entries.size()) {
        m_selected = -1;
        return;
    }
    m_selected = row;
    m_input = m_entries[row];
}

void ListEditor::valider()
{
    if (m_selected >= 0 && m_selected < m_entries.size())
        m_entries[m_selected] = m_input;
    else
        m_entries.append(m_input);
    m_selected = -1;
    m_input.clear();
}

bool ListEditor::supprimer()
{
    if (m_selected < 0 || m_selected >= m_entries.size())
        return false;
    m_entries.removeAt(m_selected);
    m_selected = -1;
    m_input.clear();
    return true;
}
