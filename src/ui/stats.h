#pragma once

#include "reports/statsmodel.h"
#include "ui/reportwindow.h"

// The statistics window over its model: the caption, the grid of the statistic (amounts
// right-justified with Rset, more than 63 rows when the list has more lines), and the tool
// strip: "Imprimer" (the print dialog, then PrintGrid with "Statistiques ... au " and today),
// "Graphique" (the chart of the statistic's chart column) and "Fermer" (also Escape).
//
// The command that runs a statistic builds its list and shows the window modally:
//
//     TStatsE(StatsEmp(payslips, amountFormat, progress), printer, dialogs, parent).exec();
//
// printer is the session's; dialogs shows the messages (Qt's over the window when null).
class TStats : public ReportWindow
{
    Q_OBJECT
public:
    TStats(StatsKind kind, const QStringList &list, Printer &printer, Dialogs *dialogs = nullptr,
           QWidget *parent = nullptr);
    const StatsModel &model() const { return m_model; }

    // The print button and the chart button.
    void Imprimer();
    void Graphique();

private:
    StatsModel m_model;
};

// "Statistiques sur les employés", "... les paies", "... les profils", "Statistiques caisses".
class TStatsE : public TStats
{
public:
    TStatsE(const QStringList &list, Printer &printer, Dialogs *dialogs = nullptr, QWidget *parent = nullptr)
        : TStats(StatsKind::Employes, list, printer, dialogs, parent)
    {
    }
};
class TStatsP : public TStats
{
public:
    TStatsP(const QStringList &list, Printer &printer, Dialogs *dialogs = nullptr, QWidget *parent = nullptr)
        : TStats(StatsKind::Paies, list, printer, dialogs, parent)
    {
    }
};
class TStatsR : public TStats
{
public:
    TStatsR(const QStringList &list, Printer &printer, Dialogs *dialogs = nullptr, QWidget *parent = nullptr)
        : TStats(StatsKind::Profils, list, printer, dialogs, parent)
    {
    }
};
class TStatsC : public TStats
{
public:
    TStatsC(const QStringList &list, Printer &printer, Dialogs *dialogs = nullptr, QWidget *parent = nullptr)
        : TStats(StatsKind::Caisses, list, printer, dialogs, parent)
    {
    }
};
