#pragma once

#include "records/profileform.h"
#include "store/collection.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The reverse payroll ("Paye à l'envers"): the gross salary that gives a wanted net under a
// profile, found by bisection over [net, 2 × net] with the employee rates and base kinds of the
// profile's rubriques and the social-security ceiling. It writes nothing anywhere: the user
// carries the gross over by hand. The model behind the dialog TPEnvers.
//
// How the callers use it:
//
//   - The menu "&Paye à l'envers" (PayeEnvers): ReversePayroll model; model.Init(the profile
//     choices "code name" in dossier order, the ceiling, a lookup from a profile code to its
//     rubriques); TPEnvers(model, parent).exec(). Nothing is read back.
//   - korvel-cli envers DOSSIER PROFILE NET: the same Init, setProfileText(PROFILE),
//     setNet(NET), Calculer(); print grossDisplay() and netDisplay(); message() is not empty
//     when NET does not read as a number (exit 1) or cannot be reached.
class ReversePayroll
{
public:
    // The rubriques of the profile whose code is given, or nullopt when there is none. Codes
    // are compared as the profile collection holds them.
    using ProfileLookup = std::function<std::optional<QList<Rubrique>>(const QString &code)>;

    // One iteration of the search, as the displays show it.
    struct Step {
        int iteration = 0;
        double gross = 0;
        double net = 0;
    };
    // Called once per iteration after the displays changed: the window repaints from it.
    using StepShown = std::function<void(const Step &)>;

    enum class Outcome {
        Found,       // the net is within kTolerance of the wanted net
        NotReached,  // kMaxIterations without getting there: the last values stay shown
        NoNet,       // "Salaire net" is empty: nothing is done
        Unreadable,  // "Salaire net" is not a number: nothing is done, message() says so
    };

    static constexpr int kMaxIterations = 200;
    static constexpr double kTolerance = 0.1;

    // The profile choices (one "code name" per profile, in dossier order), the ceiling and the
    // lookup. The list's text becomes the first choice, split.
    void Init(const QStringList &profileChoices, double ceiling, ProfileLookup lookup);
    // Init on a private copy of a profile collection: its choices, and a lookup that finds the
    // first profile whose code line is the code.
    void Init(const Collection &profiles, double ceiling);

    const QStringList &profileChoices() const { return m_choices; }
    // The text of the profile list (a choice, or anything typed) and the name field beside it.
    const QString &profileText() const { return m_profileText; }
    void setProfileText(const QString &text) { m_profileText = text; }
    const QString &profileName() const { return m_profileName; }
    void setProfileName(const QString &name) { m_profileName = name; }
    // Leaving the profile list: "10001 Standard" becomes "10001" in the list and "Standard" in
    // the name field; a text whose first blank comes before its fifth character stays.
    void split();
    // A choice picked in the list: the list shows its code and the name field its name, so that
    // the name always belongs to the profile the calculation uses.
    void choose(int index);

    // The text of "Salaire net".
    const QString &net() const { return m_net; }
    void setNet(const QString &text) { m_net = text; }

    // Remplit: the rubriques of the profile named by the code part of the list's text (what
    // comes before its first blank, so a choice not yet split is found too). False, with no
    // rubriques, when no profile has that code: the gross found then equals the net.
    bool Remplit();

    // The search. shown, when given, is called after each iteration.
    Outcome Calculer(const StepShown &shown = {});

    // "Salaire brut" and "Net calculé": "#.00" (",50" below 1). They keep their texts when a
    // calculation does not start.
    const QString &grossDisplay() const { return m_grossDisplay; }
    const QString &netDisplay() const { return m_netDisplay; }
    // The message of the last calculation; empty when the net was found.
    const QString &message() const { return m_message; }
    // Iterations of the last calculation.
    int iterations() const { return m_iterations; }

    // The employee deductions at gross G: each rubrique's base from its kind and G, rounded to
    // two decimals, times its employee rate, summed unrounded. A rubrique whose employee rate
    // is empty or not a number, or whose base kind is neither a kind nor a number, adds nothing.
    double deductions(double gross) const;

private:
    QStringList m_choices;
    double m_ceiling = 0;
    ProfileLookup m_lookup;
    QString m_profileText;
    QString m_profileName;
    QString m_net;
    QList<Rubrique> m_rubriques; // private copy of the chosen profile's rubriques
    QString m_grossDisplay;
    QString m_netDisplay;
    QString m_message;
    int m_iterations = 0;
};
