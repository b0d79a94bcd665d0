#pragma once

#include <QDialog>

#include "accessories/calendarmodel.h"

class QLabel;
class QTableWidget;

// The month calendar "Calendrier": weeks from Sunday, French names, today selected.
class TCalendrier : public QDialog
{
    Q_OBJECT
public:
    explicit TCalendrier(QWidget *parent = nullptr);

    const CalendarModel &model() const { return m_model; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void previousMonth();
    void nextMonth();
    void cellChosen(int row, int column);
    void refresh();

    CalendarModel m_model;
    QLabel *m_title = nullptr;
    QTableWidget *m_grid = nullptr;
    bool m_refreshing = false;
};
