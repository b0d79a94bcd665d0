#pragma once

#include <QDialog>
#include <QTimer>

#include "accessories/clockmodel.h"

class QLabel;
class QListWidget;
class QPushButton;

// The clock "Horloge": time and date refreshed every second, and a set mode in which the
// displays are edited with the spin button and then given to the computer's clock.
class THorloge : public QDialog
{
    Q_OBJECT
public:
    explicit THorloge(QWidget *parent = nullptr);

    const ClockModel &model() const { return m_model; }
    bool ticking() const { return m_timer.isActive(); }

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    ClockModel::Part chosenPart() const;
    void spinUp();
    void spinDown();
    void toggleSetMode();
    void tick();
    void refresh();

    ClockModel m_model;
    QTimer m_timer;
    QLabel *m_time = nullptr;
    QLabel *m_date = nullptr;
    QListWidget *m_parts = nullptr;
    QPushButton *m_set = nullptr;
};
