#pragma once

#include <QDialog>

class QRadioButton;

// The sort dialog "Trier": the choice "Trier par" between "Nom" (chosen when it opens),
// "Code postal" and "Ville", and the buttons "OK" and "Annuler".
class TTri : public QDialog
{
    Q_OBJECT
public:
    explicit TTri(QWidget *parent = nullptr);

    // The key chosen: 0 name, 1 postcode, 2 town (SortKey's values); -1 when cancelled.
    int Result() const;

    // Shows the dialog modally and returns its Result().
    static int ask(QWidget *parent = nullptr);

private:
    QRadioButton *m_keys[3] = {};
};
