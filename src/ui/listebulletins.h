#pragma once

#include "payroll/payslips.h"

#include <QDialog>
#include <QList>

class QListWidget;

// "Liste des bulletins": one item per payslip (number, period, employee code, name and
// address), two buttons that move the selected item up or down in the list shown (the dossier
// is not changed), "Fermer". Enter, a double click or "Fermer" close it with the selected
// item chosen; Escape closes it with none.
class TListeBulletins : public QDialog
{
    Q_OBJECT
public:
    explicit TListeBulletins(QWidget *parent = nullptr);

    // The items, the one of block current selected.
    void Init(const QList<PayslipListItem> &items, int current);
    // The block of the item chosen, -1 for none.
    int Result() const { return m_chosen; }

    QListWidget *list() const { return m_list; }

    static int choose(const QList<PayslipListItem> &items, int current, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();
    void shift(int delta);
    void closeChosen();

    QListWidget *m_list = nullptr;
    QList<PayslipListItem> m_items;
    int m_chosen = -1;
};
