#pragma once

#include "employees/employeedialogs.h"

class QWidget;

// The employees' windows as Qt dialogs over the frame.
class QtEmployeeDialogs : public EmployeeDialogs
{
public:
    explicit QtEmployeeDialogs(QWidget *parent = nullptr) : m_parent(parent) {}

    QString searchText(SearchKind kind) override;
    bool postcode(QString &value) override;
    bool town(QString &value) override;
    bool sortKey(SortKey &key) override;
    int chooseEmployee(const QList<EmployeeListRow> &rows, int current) override;
    QStringList editList(ListEditor::Kind kind, const QStringList &entries) override;
    void departments() override;

private:
    QWidget *m_parent;
};
