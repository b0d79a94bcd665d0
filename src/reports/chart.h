#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class StatsModel;

// The chart window "Graphique" (TGraph) as data: one bar per key of a statistic, for the last
// 32 keys, under the statistic's name. The category axis carries the keys and the header of the
// key column, the value axis the header of the charted column and its amounts, graduated with as
// many decimals as the amounts have (the dossier's amount format, as the grid shows them).
class Chart
{
public:
    static constexpr int kMaxBars = 32;

    struct Bar {
        QString key;
        QString text;     // the amount as the grid shows it, trimmed
        double value = 0;
    };

    // The bars of a statistics window: the keys of column 1 and the amounts of its chart column,
    // from row 1 down to the first empty amount; the window's caption as the title.
    bool Init(const StatsModel &model, QString *message = nullptr);
    // Keeps the last 32 keys and texts (texts and keys pair up from the end); each text, trimmed,
    // is read as a number with "," as separator. False, with the chart unchanged and message set
    // to the conversion message, when a text does not read as a number.
    bool Init(const QString &title, const QString &keyTitle, const QString &valueTitle, const QStringList &keys,
              const QStringList &texts, QString *message = nullptr);

    const QString &title() const { return m_title; }
    const QString &keyTitle() const { return m_keyTitle; }
    const QString &valueTitle() const { return m_valueTitle; }
    const QList<Bar> &bars() const { return m_bars; }

    // Decimals of the value axis: the most any amount has, at most 2.
    int decimals() const { return m_decimals; }
    // The value axis runs from lowest() (0, or the lowest amount below it) to highest() (the
    // highest amount, or 1 when no amount is above 0, so that an empty chart still has a scale).
    double lowest() const;
    double highest() const;
    // The value of bar i as hovering shows it: "key : amount".
    QString hoverText(int i) const;
    // The keys are written upright when they would not fit side by side along the axis.
    bool uprightKeys() const;

private:
    QString m_title;
    QString m_keyTitle;
    QString m_valueTitle;
    QList<Bar> m_bars;
    int m_decimals = 0;
};
