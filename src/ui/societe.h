#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;

// The company dialog "Société": the seven lines of the letterhead.
class TSociete : public QDialog
{
    Q_OBJECT
public:
    explicit TSociete(QWidget *parent = nullptr);
    void Init(const QStringList &lines);
    // The seven fields, or seven lines whose first is empty when the dialog was cancelled.
    void Result(QStringList &lines) const;
    QLineEdit *field(int i) const { return m_fields[i]; }

private:
    QLineEdit *m_fields[7];
};
