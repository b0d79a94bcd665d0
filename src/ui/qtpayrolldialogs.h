#pragma once

#include "payroll/payrolldialogs.h"

class QWidget;

// The payroll's windows as Qt dialogs over the frame.
class QtPayrollDialogs : public PayrollDialogs
{
public:
    explicit QtPayrollDialogs(QWidget *parent = nullptr) : m_parent(parent) {}

    void caisses(CaisseModel &model) override;
    QString chooseProfile(const QStringList &items) override;
    QString chooseEmployee(const QStringList &items) override;
    int choosePayslip(const QList<PayslipListItem> &items, int current) override;
    bool cumul(QString &value) override;

private:
    QWidget *m_parent;
};
