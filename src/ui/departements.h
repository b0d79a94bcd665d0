#pragma once

#include <QDialog>

class QListWidget;

// The window "Départements": the read-only list of the French departments and "Fermer";
// Enter or Escape closes it too. It opens centred on the screen.
class TDepart : public QDialog
{
    Q_OBJECT
public:
    explicit TDepart(QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }

    // Shows the window modally.
    static void montrer(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QListWidget *m_list = nullptr;
};
