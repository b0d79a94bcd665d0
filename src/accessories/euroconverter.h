#pragma once

#include <QChar>
#include <QString>

// The franc/euro converter. The rate is held as an integer number of hundred-thousandths of a
// franc per euro, so stepping it is exact; it starts at the legal 6,55957 with each converter.
class EuroConverter
{
public:
    enum class Direction { FrancsToEuros, EurosToFrancs };

    static constexpr int kLegalRate = 655957;
    static constexpr int kMinimumRate = 1;
    static constexpr int kMaximumRate = 999999999;

    const QString &input() const { return m_input; }
    const QString &result() const { return m_result; }
    bool resultShown() const { return m_resultShown; }
    int rate() const { return m_rate; }
    // The rate as shown: "6,55957".
    QString rateText() const;
    Direction direction() const { return m_direction; }
    void setDirection(Direction direction) { m_direction = direction; }

    // When the window becomes active.
    void activate() { m_resultShown = false; }

    // "0" to "9" and ",": a new entry starts when a result is shown.
    void type(QChar c);
    // A key typed on the keyboard: digits, "," and "." (read as ","). False for any other key.
    bool key(QChar c);
    // "=": converts the input in the chosen direction. Euros are given to the cent, francs to
    // the tenth of a franc. An input that is not a number empties both displays.
    void convert();

    // The spin button: one hundred-thousandth up or down, never below 0,00001.
    void rateUp();
    void rateDown();

private:
    QString m_input;
    QString m_result;
    bool m_resultShown = false;
    int m_rate = kLegalRate;
    Direction m_direction = Direction::FrancsToEuros;
};
